#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TessarilCoreTests/Support/DecodingFailure.hpp"
#include "TessarilCore/Rules/DoublePressGuardSettings.hpp"

namespace tessaril {
namespace {

using Guard = DoublePressGuardSettings;
using Rule = ShortcutGuardRule;
using Timing = ShortcutGuardTimingPreset;
using Modifier = Shortcut::Modifier;

const KeyboardPresetSet allPresets{KeyboardPreset::laptop, KeyboardPreset::compactUS, KeyboardPreset::fullSizeUS};

Shortcut shortcut(std::initializer_list<Modifier> modifiers, const char* character) {
    return Shortcut{ShortcutModifierSet(modifiers), Shortcut::Key::character(character)};
}
Shortcut command(const char* letter) { return shortcut({Modifier::command}, letter); }

Rule rule(const char* letter, bool isEnabled = true, std::int64_t pressCount = 2, Timing timing = Timing::standard,
          std::optional<std::int64_t> custom = std::nullopt, KeyboardPresetSet presets = allPresets) {
    return Rule{letter, isEnabled, pressCount, timing, custom, presets};
}

std::vector<std::string> letters(const Guard& guard) {
    std::vector<std::string> result;
    for (const Rule& each : guard.rules) result.push_back(each.letter);
    return result;
}

Guard decodeGuard(const std::string& text) { return coding::decode<Guard>(Json::parse(text)); }

DecodingError decodingFailure(const std::string& text) {
    return test_support::decodingFailure<Guard>(Json::parse(text));
}

TEST(ShortcutGuardTimingPresetTest, TimingsAndMatching) {
    struct Row {
        Timing preset;
        const char* raw;
        std::int64_t timeout;
    };
    const Row rows[] = {{Timing::fast, "fast", 450}, {Timing::standard, "standard", 700},
                        {Timing::slow, "slow", 1000}, {Timing::custom, "custom", 700}};
    auto cases = allCases<Timing>();
    ASSERT_EQ(cases.size(), std::size(rows));
    for (std::size_t index = 0; index < cases.size(); ++index) {
        EXPECT_EQ(cases[index], rows[index].preset);
        EXPECT_EQ(rawValue(rows[index].preset), rows[index].raw);
        EXPECT_EQ(defaultTimeoutMilliseconds(rows[index].preset), rows[index].timeout);
    }
    using shortcut_guard_timing_preset::matchingPreset;
    EXPECT_EQ(matchingPreset(450), Timing::fast);
    EXPECT_EQ(matchingPreset(700), Timing::standard);
    EXPECT_EQ(matchingPreset(1000), Timing::slow);
    EXPECT_EQ(matchingPreset(701), std::nullopt);
    EXPECT_EQ(matchingPreset(0), std::nullopt);
    EXPECT_EQ(enumFromRawValue<Timing>("Fast"), std::nullopt);
}

TEST(ShortcutGuardRuleTest, MakeFromLetterValidates) {
    auto made = Rule::make(" W ", false, 9, Timing::slow, 1234, {KeyboardPreset::compactUS});
    ASSERT_TRUE(made);
    EXPECT_EQ(*made, rule("w", false, 4, Timing::slow, 1234, {KeyboardPreset::compactUS}));
    EXPECT_EQ(Rule::make("", true, 2, Timing::standard, std::nullopt, allPresets), std::nullopt);
    EXPECT_EQ(Rule::make("ab", true, 2, Timing::standard, std::nullopt, allPresets), std::nullopt);
    EXPECT_EQ(Rule::make("1", true, 2, Timing::standard, std::nullopt, allPresets), std::nullopt);
    EXPECT_EQ(Rule::make("q", true, -3, Timing::standard, std::nullopt, allPresets)->pressCount, 2);
}

TEST(ShortcutGuardRuleTest, MakeFromShortcut) {
    struct Row {
        std::int64_t timeout;
        Timing timing;
        std::optional<std::int64_t> custom;
    };
    const Row rows[] = {{450, Timing::fast, std::nullopt},
                        {700, Timing::standard, std::nullopt},
                        {1000, Timing::slow, std::nullopt},
                        {1200, Timing::custom, 1200},
                        {20, Timing::custom, 20}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.timeout);
        auto made = Rule::make(command("q"), true, 3, row.timeout, allPresets);
        ASSERT_TRUE(made);
        EXPECT_EQ(*made, rule("q", true, 3, row.timing, row.custom));
    }
    for (const Shortcut& refused : {command("Q"), command("1"), shortcut({Modifier::command, Modifier::shift}, "q"),
                                    Shortcut{ShortcutModifierSet{Modifier::command}, Shortcut::Key::keypadPeriod()}}) {
        EXPECT_EQ(Rule::make(refused, true, 2, 700, allPresets), std::nullopt);
    }
}

TEST(ShortcutGuardRuleTest, TimeoutShortcutAndPresets) {
    struct Row {
        Timing timing;
        std::optional<std::int64_t> custom;
        std::int64_t expected;
    };
    const Row rows[] = {{Timing::custom, 20, 100},       {Timing::custom, 8000, 5000}, {Timing::custom, std::nullopt, 700},
                        {Timing::custom, 1234, 1234},    {Timing::fast, 3000, 450},    {Timing::slow, std::nullopt, 1000}};
    for (const Row& row : rows) {
        EXPECT_EQ(rule("q", true, 2, row.timing, row.custom).timeoutMilliseconds(), row.expected);
    }
    EXPECT_EQ(rule("x").shortcut(), command("x"));
    EXPECT_EQ(rule("X").shortcut(), command("x"));
    EXPECT_EQ(rule("ab").shortcut(), Shortcut::commandQ());
    EXPECT_EQ(rule("").shortcut(), Shortcut::commandQ());

    Rule scoped = rule("q", true, 2, Timing::standard, std::nullopt, {KeyboardPreset::fullSizeUS});
    EXPECT_FALSE(scoped.isActive(KeyboardPreset::laptop));
    EXPECT_TRUE(scoped.isActive(KeyboardPreset::fullSizeUS));
    EXPECT_FALSE(rule("q", true, 2, Timing::standard, std::nullopt, {}).isActive(KeyboardPreset::laptop));
    EXPECT_EQ(Rule::clampedPressCount(1), 2);
    EXPECT_EQ(Rule::clampedPressCount(3), 3);
    EXPECT_EQ(Rule::clampedPressCount(7), 4);
}

TEST(DoublePressGuardSettingsTest, DefaultGuardDerivesDisabledRules) {
    Guard guard;
    EXPECT_FALSE(guard.isEnabled);
    EXPECT_EQ(guard.timeoutMilliseconds, 700);
    EXPECT_EQ(guard.rules, (std::vector<Rule>{rule("d", false), rule("q", false), rule("w", false)}));
    EXPECT_EQ(guard.shortcuts, (Guard::ShortcutSet{command("d"), command("q"), command("w")}));
    EXPECT_EQ(Guard(false, 700, Guard::defaultShortcuts()), guard);
}

TEST(DoublePressGuardSettingsTest, LegacyDerivation) {
    struct Row {
        std::int64_t timeout;
        Timing timing;
        std::optional<std::int64_t> custom;
    };
    const Row rows[] = {{450, Timing::fast, std::nullopt}, {700, Timing::standard, std::nullopt},
                        {1000, Timing::slow, std::nullopt}, {1200, Timing::custom, 1200}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.timeout);
        Guard guard(true, row.timeout, {command("w"), command("a")});
        EXPECT_EQ(guard.rules, (std::vector<Rule>{rule("a", true, 2, row.timing, row.custom),
                                                  rule("w", true, 2, row.timing, row.custom)}));
    }

    Guard mixed(true, 700,
                {command("q"), shortcut({Modifier::command, Modifier::shift}, "q"), shortcut({Modifier::control}, "q"),
                 Shortcut{ShortcutModifierSet{Modifier::command}, Shortcut::Key::keypadPeriod()}, command("1"),
                 command("Z")});
    EXPECT_EQ(letters(mixed), std::vector<std::string>{"q"});
    EXPECT_EQ(mixed.shortcuts, Guard::ShortcutSet{command("q")});
}

TEST(DoublePressGuardSettingsTest, GivenRulesAreSortedUncheckedAndReplaceShortcuts) {
    Guard guard(true, 50, {command("z")}, std::vector<Rule>{rule("w"), rule("ab"), rule("d", true, 9), rule("")});
    EXPECT_EQ(letters(guard), (std::vector<std::string>{"", "ab", "d", "w"}));
    EXPECT_EQ(guard.rules[2].pressCount, 9);
    EXPECT_EQ(guard.timeoutMilliseconds, 50);
    EXPECT_EQ(guard.shortcuts, (Guard::ShortcutSet{Shortcut::commandQ(), command("d"), command("w")}));

    guard.normalizeForImport();
    EXPECT_EQ(letters(guard), (std::vector<std::string>{"d", "w"}));
    EXPECT_EQ(guard.rules[0].pressCount, 4);
    EXPECT_EQ(guard.timeoutMilliseconds, 100);
    EXPECT_EQ(guard.shortcuts, (Guard::ShortcutSet{command("d"), command("w")}));
}

TEST(DoublePressGuardSettingsTest, NormalizeForImportValidatesRulesInPlace) {
    Guard guard(false, 9000, {}, std::vector<Rule>{rule(" X ", false, 1, Timing::custom, 20, {}), rule("b"), rule("x")});
    guard.normalizeForImport();
    EXPECT_EQ(guard.timeoutMilliseconds, 5000);
    // The custom timeout stays as stored; duplicates stay, in their order.
    EXPECT_EQ(guard.rules, (std::vector<Rule>{rule("b"), rule("x", false, 2, Timing::custom, 20, {}), rule("x")}));
}

TEST(DoublePressGuardSettingsTest, SortIsStableAmongEqualLetters) {
    std::vector<Rule> sorted = sortedByCommandLetter({rule("q", false), rule("c"), rule("q", true, 3), rule("a")});
    EXPECT_EQ(sorted, (std::vector<Rule>{rule("a"), rule("c"), rule("q", false), rule("q", true, 3)}));
}

TEST(DoublePressGuardSettingsTest, UpsertAddRemoveContains) {
    Guard guard;
    guard.upsertRule(rule("q", true, 3, Timing::slow));
    guard.upsertRule(rule("b"));
    EXPECT_EQ(guard.rules, (std::vector<Rule>{rule("b"), rule("d", false), rule("q", true, 3, Timing::slow), rule("w", false)}));
    EXPECT_TRUE(guard.shortcuts.contains(command("b")));

    // Upsert compares letters as stored: "Q" is another letter.
    guard.upsertRule(rule("Q"));
    EXPECT_EQ(letters(guard), (std::vector<std::string>{"Q", "b", "d", "q", "w"}));

    Guard fresh;
    fresh.rules[2] = rule("w", false, 3, Timing::fast);
    EXPECT_TRUE(fresh.addCommandLetter("W"));
    EXPECT_EQ(fresh.rules[2], rule("w"));
    EXPECT_TRUE(fresh.addCommandLetter(" k"));
    EXPECT_EQ(letters(fresh), (std::vector<std::string>{"d", "k", "q", "w"}));
    Guard before = fresh;
    EXPECT_FALSE(fresh.addCommandLetter("kk"));
    EXPECT_FALSE(fresh.addCommandLetter(""));
    EXPECT_EQ(fresh, before);

    EXPECT_TRUE(fresh.containsCommandLetter("K"));
    EXPECT_FALSE(fresh.containsCommandLetter("z"));
    EXPECT_FALSE(fresh.containsCommandLetter("dq"));

    fresh.rules.push_back(rule("k", false));
    fresh.removeCommandLetter("K ");
    EXPECT_EQ(letters(fresh), (std::vector<std::string>{"d", "q", "w"}));
    EXPECT_FALSE(fresh.shortcuts.contains(command("k")));
    fresh.removeCommandLetter("??");
    EXPECT_EQ(letters(fresh), (std::vector<std::string>{"d", "q", "w"}));

    // Removing leaves a list written out of order as it was.
    fresh.rules = {rule("w"), rule("d"), rule("q")};
    fresh.removeCommandLetter("d");
    EXPECT_EQ(letters(fresh), (std::vector<std::string>{"w", "q"}));
    EXPECT_EQ(fresh.shortcuts, (Guard::ShortcutSet{command("q"), command("w")}));
}

TEST(DoublePressGuardSettingsTest, ReplaceCommandLetter) {
    Guard guard(true, 700, {}, std::vector<Rule>{rule("q", true, 3, Timing::custom, 900), rule("w")});
    Guard unchanged = guard;
    EXPECT_FALSE(guard.replaceCommandLetter("q", "w"));
    EXPECT_FALSE(guard.replaceCommandLetter("z", "x"));
    EXPECT_FALSE(guard.replaceCommandLetter("q", "xy"));
    EXPECT_FALSE(guard.replaceCommandLetter("", "x"));
    EXPECT_EQ(guard, unchanged);

    EXPECT_TRUE(guard.replaceCommandLetter("Q", "q"));
    EXPECT_EQ(guard, unchanged);

    EXPECT_TRUE(guard.replaceCommandLetter("q", "X"));
    EXPECT_EQ(guard.rules, (std::vector<Rule>{rule("w"), rule("x", true, 3, Timing::custom, 900)}));
    EXPECT_EQ(guard.shortcuts, (Guard::ShortcutSet{command("w"), command("x")}));

    Guard empty(true, 700, {}, std::vector<Rule>{});
    EXPECT_FALSE(empty.replaceCommandLetter("q", "x"));
}

TEST(DoublePressGuardSettingsTest, ReplaceCommandLetterDropsEveryRuleOfTheOldLetter) {
    Guard guard(true, 700, {}, std::vector<Rule>{rule("q", true, 3), rule("q", false, 4)});
    EXPECT_TRUE(guard.replaceCommandLetter("q", "a"));
    EXPECT_EQ(guard.rules, (std::vector<Rule>{rule("a", true, 3)}));
}

TEST(DoublePressGuardSettingsTest, RuleForShortcut) {
    const Rule disabledQ = rule("q", false, 4);
    const Rule laptopQ = rule("q", true, 3, Timing::standard, std::nullopt, {KeyboardPreset::laptop});
    const Rule anyQ = rule("q", true, 2, Timing::fast);
    Guard guard(false, 700, {}, std::vector<Rule>{disabledQ, laptopQ, anyQ, rule("w")});

    struct Row {
        Shortcut shortcut;
        std::optional<KeyboardPreset> preset;
        std::optional<Rule> expected;
    };
    const Row rows[] = {
        {command("q"), KeyboardPreset::laptop, laptopQ},
        {command("q"), KeyboardPreset::compactUS, anyQ},
        {command("q"), std::nullopt, laptopQ},
        {command("w"), KeyboardPreset::fullSizeUS, rule("w")},
        {command("d"), KeyboardPreset::laptop, std::nullopt},
        {command("Q"), KeyboardPreset::laptop, std::nullopt},
        {shortcut({Modifier::command, Modifier::shift}, "q"), KeyboardPreset::laptop, std::nullopt},
        {shortcut({Modifier::option}, "q"), std::nullopt, std::nullopt},
        {Shortcut{ShortcutModifierSet{Modifier::command}, Shortcut::Key::escape()}, std::nullopt, std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(guard.rule(row.shortcut, row.preset), row.expected);
    }

    Guard onlyDisabled(true, 700, {}, std::vector<Rule>{disabledQ});
    EXPECT_EQ(onlyDisabled.rule(command("q"), std::nullopt), std::nullopt);
}

TEST(DoublePressGuardSettingsTest, SecondsConversion) {
    struct Row {
        const char* text;
        std::optional<std::int64_t> expected;
    };
    const Row rows[] = {{"0.7", 700},   {" 1.25\n", 1250}, {"0.7999", 799}, {"0.0999", 100}, {"-3", 100},
                        {"1e306", 5000}, {"-1e306", 100},  {"", std::nullopt}, {"1,5", std::nullopt},
                        {"abc", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(Guard::clampedTimeoutMillisecondsFromSecondsString(row.text), row.expected);
    }
    EXPECT_EQ(Guard::clampedTimeoutMilliseconds(99), 100);
    EXPECT_EQ(Guard::clampedTimeoutMilliseconds(5001), 5000);
    EXPECT_EQ(Guard::clampedTimeoutMilliseconds(1234), 1234);
}

TEST(DoublePressGuardSettingsTest, RoundTripThroughJSON) {
    Guard guard(true, 1234, {},
                std::vector<Rule>{rule("q", true, 3, Timing::custom, 8000, {KeyboardPreset::compactUS}),
                                  rule("a", false, 4, Timing::slow, std::nullopt, {})});
    Json encoded = coding::encode(guard);
    EXPECT_EQ(encoded["rules"][0], Json::parse(R"({"letter":"a","isEnabled":false,"pressCount":4,"timingPreset":"slow",
                                                  "activePresets":[]})"));
    EXPECT_EQ(encoded["rules"][1]["customTimeoutMilliseconds"], 8000);
    EXPECT_EQ(encoded["shortcuts"].size(), 2u);
    EXPECT_EQ(coding::decode<Guard>(Json::parse(encoded.dump())), guard);

    Guard defaults;
    EXPECT_EQ(coding::decode<Guard>(coding::encode(defaults)), defaults);
}

TEST(DoublePressGuardSettingsTest, TolerantDecoding) {
    Guard enabled = decodeGuard(R"({"isEnabled":true})");
    EXPECT_TRUE(enabled.isEnabled);
    EXPECT_EQ(enabled.timeoutMilliseconds, 700);
    EXPECT_EQ(enabled.rules, (std::vector<Rule>{rule("d"), rule("q"), rule("w")}));

    EXPECT_EQ(decodeGuard(R"({"timeoutMilliseconds":50})").timeoutMilliseconds, 100);
    EXPECT_EQ(decodeGuard(R"({"timeoutMilliseconds":9000})").timeoutMilliseconds, 5000);
    EXPECT_EQ(decodeGuard(R"({})"), Guard());
    EXPECT_EQ(decodeGuard(R"({"isEnabled":null,"timeoutMilliseconds":null,"shortcuts":null,"rules":null,"x":1})"), Guard());

    // Legacy derivation runs with the clamped timeout.
    Guard legacy = decodeGuard(R"({"timeoutMilliseconds":20,"shortcuts":[{"modifiers":[{"command":{}}],"key":{"character":{"_0":"k"}}}]})");
    EXPECT_EQ(legacy.rules, (std::vector<Rule>{rule("k", false, 2, Timing::custom, 100)}));

    // Stored rules win over stored shortcuts.
    Guard withRules = decodeGuard(R"({"shortcuts":[],"rules":[{"letter":"Q"},{"letter":"c","pressCount":1},{"letter":"e","pressCount":7}]})");
    EXPECT_EQ(withRules.rules, (std::vector<Rule>{rule("c"), rule("e", true, 4), rule("q")}));
    EXPECT_EQ(withRules.shortcuts, (Guard::ShortcutSet{command("c"), command("e"), command("q")}));

    Guard presets = decodeGuard(R"({"rules":[{"letter":"q","activePresets":["laptop","laptop"],"customTimeoutMilliseconds":20,"timingPreset":"custom"}]})");
    EXPECT_EQ(presets.rules, (std::vector<Rule>{rule("q", true, 2, Timing::custom, 20, {KeyboardPreset::laptop})}));
}

TEST(DoublePressGuardSettingsTest, DecodingFailures) {
    struct Row {
        std::string json;
        DecodingError::Kind kind;
        std::string path;
        std::string message;
    };
    const std::vector<Row> rows = {
        {R"({"rules":[{"letter":"ab"}]})", DecodingError::Kind::dataCorrupted, "rules[0].letter",
         "Shortcut guard letter must be A-Z."},
        {R"({"rules":[{"isEnabled":true}]})", DecodingError::Kind::keyNotFound, "rules[0]",
         "No value associated with key \"letter\"."},
        {R"({"rules":[{"letter":null}]})", DecodingError::Kind::valueNotFound, "rules[0].letter",
         "Cannot get value of a required key -- found null value instead."},
        {R"({"rules":[{"letter":"q","timingPreset":"medium"}]})", DecodingError::Kind::dataCorrupted,
         "rules[0].timingPreset", "Cannot initialize ShortcutGuardTimingPreset from invalid String value medium"},
        {R"({"rules":[{"letter":"q","activePresets":["tablet"]}]})", DecodingError::Kind::dataCorrupted,
         "rules[0].activePresets[0]", "Cannot initialize KeyboardPreset from invalid String value tablet"},
        {R"({"rules":[{"letter":"q","pressCount":2.5}]})", DecodingError::Kind::dataCorrupted, "rules[0].pressCount",
         "Number 2.5 is not an integer."},
        {R"({"rules":[{"letter":"q","customTimeoutMilliseconds":18446744073709551615}]})", DecodingError::Kind::dataCorrupted,
         "rules[0].customTimeoutMilliseconds", "Number 18446744073709551615 does not fit in Int."},
        {R"({"rules":[{"letter":"q","isEnabled":1}]})", DecodingError::Kind::typeMismatch, "rules[0].isEnabled", ""},
        {R"({"timeoutMilliseconds":"700"})", DecodingError::Kind::typeMismatch, "timeoutMilliseconds", ""},
        {R"({"timeoutMilliseconds":700.0})", DecodingError::Kind::dataCorrupted, "timeoutMilliseconds", ""},
        {R"({"isEnabled":"yes"})", DecodingError::Kind::typeMismatch, "isEnabled", ""},
        {R"({"shortcuts":{}})", DecodingError::Kind::typeMismatch, "shortcuts", ""},
        {R"({"shortcuts":[{"modifiers":[]}]})", DecodingError::Kind::keyNotFound, "shortcuts[0]", ""},
        {R"({"rules":{}})", DecodingError::Kind::typeMismatch, "rules", ""},
        {R"("guard")", DecodingError::Kind::typeMismatch, "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.json);
        DecodingError error = decodingFailure(row.json);
        EXPECT_EQ(error.kind(), row.kind);
        EXPECT_EQ(error.codingPathText(), row.path);
        if (!row.message.empty()) {
            EXPECT_EQ(error.message(), row.message);
        }
    }
}

} // namespace
} // namespace tessaril
