#include <gtest/gtest.h>

#include <set>
#include <string>

#include "TessarilCore/Engine/RuleEngineSettings.hpp"

namespace tessaril {
namespace {

using Settings = RuleEngineSettings;
using Action = CommandKeyAction;
using Modified = ModifiedCommandAction;

Settings decodeSettings(const std::string& text) { return coding::decode<Settings>(Json::parse(text)); }

struct Mirrors {
    bool left, right, shiftRight, shiftLeft;
    friend bool operator==(const Mirrors&, const Mirrors&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Mirrors& m) {
        return out << m.left << m.right << m.shiftRight << m.shiftLeft;
    }
};

Mirrors mirrors(const Settings& settings) {
    return {settings.leftCommandSwitchesToEisu(), settings.rightCommandSwitchesToKana(),
            settings.shiftRightCommandSwitchesToEisu(), settings.shiftLeftCommandSwitchesToKana()};
}

// What an older reader of the file sees: the stored flags, which must agree with the actions.
Mirrors encodedMirrors(const Settings& settings) {
    Json encoded = coding::encode(settings);
    return {encoded["leftCommandSwitchesToEisu"].get<bool>(), encoded["rightCommandSwitchesToKana"].get<bool>(),
            encoded["shiftRightCommandSwitchesToEisu"].get<bool>(), encoded["shiftLeftCommandSwitchesToKana"].get<bool>()};
}

Settings memberwise(bool left, bool right, std::optional<Action> leftAction, std::optional<Action> rightAction,
                    bool shiftRight, bool shiftLeft, std::optional<Modified> rightModified,
                    std::optional<Modified> leftModified, std::int64_t delay = 0, std::int64_t bounce = 100,
                    std::int64_t grace = 50) {
    return Settings(left, right, leftAction, rightAction, shiftRight, shiftLeft, rightModified, leftModified,
                    CompanionModifier::option, CompanionModifier::control, delay, delay, delay, delay, bounce, true, grace,
                    false, DoublePressGuardSettings());
}

TEST(RuleEngineSettingsTest, DefaultsAreThoseOfEveryBuiltInPreset) {
    Settings settings;
    EXPECT_EQ(settings.leftCommandAction, Action::standard);
    EXPECT_EQ(settings.rightCommandAction, Action::standard);
    EXPECT_EQ(settings.rightModifiedCommandAction, Modified::disabled);
    EXPECT_EQ(settings.leftModifiedCommandAction, Modified::disabled);
    EXPECT_EQ(settings.rightCommandCompanionModifier, CompanionModifier::shift);
    EXPECT_EQ(settings.leftCommandCompanionModifier, CompanionModifier::shift);
    EXPECT_EQ(settings.leftCommandDelayMilliseconds, 0);
    EXPECT_EQ(settings.rightCommandDelayMilliseconds, 0);
    EXPECT_EQ(settings.leftModifiedCommandDelayMilliseconds, 0);
    EXPECT_EQ(settings.rightModifiedCommandDelayMilliseconds, 0);
    EXPECT_EQ(settings.kanaBounceDelayMilliseconds, 100);
    EXPECT_FALSE(settings.kanaUsesLegacyBounce);
    EXPECT_EQ(settings.modifierGraceWindowMilliseconds, 50);
    EXPECT_TRUE(settings.tracksCommandChords);
    EXPECT_EQ(settings.doublePressGuard, DoublePressGuardSettings(false, 700, DoublePressGuardSettings::defaultShortcuts()));
    EXPECT_FALSE(settings.doublePressGuard.isEnabled);
    EXPECT_EQ(settings.keypadShortcutHacks, KeypadShortcutHackSettings());
    EXPECT_EQ(mirrors(settings), (Mirrors{true, true, false, false}));
    for (KeyboardPreset preset : allCases<KeyboardPreset>()) EXPECT_EQ(defaultRuleEngineSettings(preset), settings);
    EXPECT_EQ(decodeSettings("{}"), settings);
}

TEST(RuleEngineSettingsTest, EncodesExactlyTheTwentyStoredKeys) {
    Json encoded = coding::encode(Settings());
    std::set<std::string> keys;
    for (const auto& [key, value] : encoded.items()) keys.insert(key);
    EXPECT_EQ(keys, (std::set<std::string>{
                        "leftCommandSwitchesToEisu", "rightCommandSwitchesToKana", "leftCommandAction",
                        "rightCommandAction", "shiftRightCommandSwitchesToEisu", "shiftLeftCommandSwitchesToKana",
                        "rightModifiedCommandAction", "leftModifiedCommandAction", "rightCommandCompanionModifier",
                        "leftCommandCompanionModifier", "leftCommandDelayMilliseconds", "rightCommandDelayMilliseconds",
                        "leftModifiedCommandDelayMilliseconds", "rightModifiedCommandDelayMilliseconds",
                        "kanaBounceDelayMilliseconds", "kanaUsesLegacyBounce", "modifierGraceWindowMilliseconds",
                        "tracksCommandChords", "doublePressGuard", "keypadShortcutHacks"}));
    EXPECT_EQ(encoded["leftCommandAction"], "standard");
    EXPECT_EQ(encoded["rightModifiedCommandAction"], "disabled");
    EXPECT_EQ(encoded["kanaBounceDelayMilliseconds"], 100);
}

TEST(RuleEngineSettingsTest, RoundTripThroughJSON) {
    Settings settings;
    settings.setLeftCommandAction(Action::katakana);
    settings.setRightCommandAction(Action::disabled);
    settings.setRightModifiedCommandAction(Modified::halfWidthKatakana);
    settings.setLeftModifiedCommandAction(Modified::kana);
    settings.rightCommandCompanionModifier = CompanionModifier::control;
    settings.leftCommandCompanionModifier = CompanionModifier::option;
    settings.leftCommandDelayMilliseconds = 1;
    settings.rightCommandDelayMilliseconds = 2000;
    settings.leftModifiedCommandDelayMilliseconds = 3;
    settings.rightModifiedCommandDelayMilliseconds = 4;
    settings.kanaBounceDelayMilliseconds = 0;
    settings.kanaUsesLegacyBounce = true;
    settings.modifierGraceWindowMilliseconds = 0;
    settings.tracksCommandChords = false;
    settings.doublePressGuard.isEnabled = true;
    settings.doublePressGuard.addCommandLetter("x");
    settings.keypadShortcutHacks.usesKeypadEqualCombo = true;
    settings.keypadShortcutHacks.plus = KeypadShortcutHackRule(true, CompanionModifier::option, "＋", {});
    EXPECT_EQ(coding::decode<Settings>(Json::parse(coding::encode(settings).dump())), settings);
}

TEST(RuleEngineSettingsTest, DecodingActionsFromLegacyFlags) {
    struct Row {
        std::string json;
        Action left, right;
        Modified rightModified, leftModified;
        Mirrors mirrors;
    };
    const Row rows[] = {
        {R"({"leftCommandSwitchesToEisu":false})", Action::disabled, Action::standard, Modified::disabled,
         Modified::disabled, {false, true, false, false}},
        {R"({"rightCommandSwitchesToKana":false})", Action::standard, Action::disabled, Modified::disabled,
         Modified::disabled, {true, false, false, false}},
        {R"({"shiftRightCommandSwitchesToEisu":true})", Action::standard, Action::standard, Modified::standard,
         Modified::disabled, {true, true, true, false}},
        {R"({"shiftLeftCommandSwitchesToKana":true})", Action::standard, Action::standard, Modified::disabled,
         Modified::standard, {true, true, false, true}},
        // A stored action wins over its flag, and the flag is re-derived from it.
        {R"({"leftCommandAction":"fullWidthRoman","leftCommandSwitchesToEisu":true})", Action::fullWidthRoman,
         Action::standard, Modified::disabled, Modified::disabled, {false, true, false, false}},
        {R"({"rightCommandAction":"kana","rightCommandSwitchesToKana":false})", Action::standard, Action::kana,
         Modified::disabled, Modified::disabled, {true, true, false, false}},
        {R"({"rightModifiedCommandAction":"eisu","leftModifiedCommandAction":"eisu","shiftLeftCommandSwitchesToKana":true})",
         Action::standard, Action::standard, Modified::eisu, Modified::eisu, {true, true, true, false}},
        {R"({"leftCommandSwitchesToEisu":null,"shiftRightCommandSwitchesToEisu":null})", Action::standard,
         Action::standard, Modified::disabled, Modified::disabled, {true, true, false, false}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.json);
        Settings settings = decodeSettings(row.json);
        EXPECT_EQ(settings.leftCommandAction, row.left);
        EXPECT_EQ(settings.rightCommandAction, row.right);
        EXPECT_EQ(settings.rightModifiedCommandAction, row.rightModified);
        EXPECT_EQ(settings.leftModifiedCommandAction, row.leftModified);
        EXPECT_EQ(mirrors(settings), row.mirrors);
        EXPECT_EQ(encodedMirrors(settings), row.mirrors);
    }
    Settings onlyLeftFlag = decodeSettings(R"({"leftCommandSwitchesToEisu":false})");
    EXPECT_EQ(onlyLeftFlag.modifierGraceWindowMilliseconds, 50);
    EXPECT_EQ(onlyLeftFlag.kanaBounceDelayMilliseconds, 100);
    EXPECT_TRUE(onlyLeftFlag.tracksCommandChords);
    // The modified "standard" on the right switches to eisu.
    EXPECT_EQ(inputMode(decodeSettings(R"({"shiftRightCommandSwitchesToEisu":true})").rightModifiedCommandAction,
                        CommandKeySide::right),
              InputMode::eisu);
}

TEST(RuleEngineSettingsTest, DecodingClampsTimings) {
    struct Row {
        std::string key;
        std::int64_t stored;
        std::int64_t expected;
    };
    const Row rows[] = {
        {"leftCommandDelayMilliseconds", -5, 0},           {"leftCommandDelayMilliseconds", 2600, 2000},
        {"rightCommandDelayMilliseconds", 2000, 2000},     {"leftModifiedCommandDelayMilliseconds", 2001, 2000},
        {"rightModifiedCommandDelayMilliseconds", -1, 0},  {"modifierGraceWindowMilliseconds", 900, 200},
        {"modifierGraceWindowMilliseconds", -900, 0},      {"kanaBounceDelayMilliseconds", 700, 500},
        {"kanaBounceDelayMilliseconds", INT64_MIN, 0},     {"leftCommandDelayMilliseconds", INT64_MAX, 2000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key + " " + std::to_string(row.stored));
        Json json = Json::object();
        json[row.key] = row.stored;
        EXPECT_EQ(coding::encode(coding::decode<Settings>(json))[row.key], row.expected);
    }
    Settings nested = decodeSettings(R"({"doublePressGuard":{"timeoutMilliseconds":9000},
                                         "keypadShortcutHacks":{"asterisk":{"outputText":"$"}}})");
    EXPECT_EQ(nested.doublePressGuard.timeoutMilliseconds, 5000);
    EXPECT_EQ(nested.keypadShortcutHacks.asterisk.outputText, "\uFF0A");
}

TEST(RuleEngineSettingsTest, DecodingFailures) {
    struct Row {
        std::string json;
        DecodingError::Kind kind;
        std::string path;
    };
    const Row rows[] = {
        {R"([])", DecodingError::Kind::typeMismatch, ""},
        {R"({"leftCommandSwitchesToEisu":"false"})", DecodingError::Kind::typeMismatch, "leftCommandSwitchesToEisu"},
        {R"({"leftCommandAction":"hiragana"})", DecodingError::Kind::dataCorrupted, "leftCommandAction"},
        {R"({"rightModifiedCommandAction":1})", DecodingError::Kind::typeMismatch, "rightModifiedCommandAction"},
        {R"({"leftCommandCompanionModifier":"command"})", DecodingError::Kind::dataCorrupted, "leftCommandCompanionModifier"},
        {R"({"leftCommandDelayMilliseconds":1.5})", DecodingError::Kind::dataCorrupted, "leftCommandDelayMilliseconds"},
        {R"({"kanaBounceDelayMilliseconds":9223372036854775808})", DecodingError::Kind::dataCorrupted,
         "kanaBounceDelayMilliseconds"},
        {R"({"modifierGraceWindowMilliseconds":"50"})", DecodingError::Kind::typeMismatch, "modifierGraceWindowMilliseconds"},
        {R"({"tracksCommandChords":0})", DecodingError::Kind::typeMismatch, "tracksCommandChords"},
        {R"({"doublePressGuard":{"rules":[{"letter":"1"}]}})", DecodingError::Kind::dataCorrupted,
         "doublePressGuard.rules[0].letter"},
        {R"({"keypadShortcutHacks":{"period":{"modifier":"command"}}})", DecodingError::Kind::dataCorrupted,
         "keypadShortcutHacks.period.modifier"},
        // The first bad key in stored order is the one reported.
        {R"({"tracksCommandChords":0,"leftCommandAction":"x"})", DecodingError::Kind::dataCorrupted, "leftCommandAction"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.json);
        try {
            decodeSettings(row.json);
            ADD_FAILURE() << "decoded without error";
        } catch (const DecodingError& error) {
            EXPECT_EQ(error.kind(), row.kind);
            EXPECT_EQ(error.codingPathText(), row.path);
        }
    }
}

TEST(RuleEngineSettingsTest, MemberwiseConstruction) {
    struct Row {
        bool left, right;
        std::optional<Action> leftAction, rightAction;
        bool shiftRight, shiftLeft;
        std::optional<Modified> rightModified, leftModified;
        Action expectedLeft, expectedRight;
        Modified expectedRightModified, expectedLeftModified;
        Mirrors mirrors;
    };
    const Row rows[] = {
        {true, false, std::nullopt, std::nullopt, true, false, std::nullopt, std::nullopt, Action::standard,
         Action::disabled, Modified::standard, Modified::disabled, {true, false, true, false}},
        {false, true, std::nullopt, std::nullopt, false, true, std::nullopt, std::nullopt, Action::disabled,
         Action::standard, Modified::disabled, Modified::standard, {false, true, false, true}},
        // Given actions win, and the flags passed beside them do not survive.
        {true, true, Action::katakana, Action::eisu, true, true, Modified::disabled, Modified::eisu, Action::katakana,
         Action::eisu, Modified::disabled, Modified::eisu, {false, false, false, false}},
        {false, false, Action::eisu, Action::kana, false, false, Modified::eisu, Modified::kana, Action::eisu,
         Action::kana, Modified::eisu, Modified::kana, {true, true, true, true}},
    };
    for (const Row& row : rows) {
        Settings settings = memberwise(row.left, row.right, row.leftAction, row.rightAction, row.shiftRight,
                                       row.shiftLeft, row.rightModified, row.leftModified);
        EXPECT_EQ(settings.leftCommandAction, row.expectedLeft);
        EXPECT_EQ(settings.rightCommandAction, row.expectedRight);
        EXPECT_EQ(settings.rightModifiedCommandAction, row.expectedRightModified);
        EXPECT_EQ(settings.leftModifiedCommandAction, row.expectedLeftModified);
        EXPECT_EQ(mirrors(settings), row.mirrors);
        EXPECT_EQ(settings.rightCommandCompanionModifier, CompanionModifier::option);
        EXPECT_EQ(settings.leftCommandCompanionModifier, CompanionModifier::control);
        EXPECT_EQ(settings.keypadShortcutHacks, KeypadShortcutHackSettings());
    }
    Settings high = memberwise(true, true, std::nullopt, std::nullopt, false, false, std::nullopt, std::nullopt, 5000, 900, 300);
    EXPECT_EQ(high.leftCommandDelayMilliseconds, 2000);
    EXPECT_EQ(high.rightModifiedCommandDelayMilliseconds, 2000);
    EXPECT_EQ(high.kanaBounceDelayMilliseconds, 500);
    EXPECT_EQ(high.modifierGraceWindowMilliseconds, 200);
    Settings low = memberwise(true, true, std::nullopt, std::nullopt, false, false, std::nullopt, std::nullopt, -1, -1, -1);
    EXPECT_EQ(low.leftModifiedCommandDelayMilliseconds, 0);
    EXPECT_EQ(low.kanaBounceDelayMilliseconds, 0);
    EXPECT_EQ(low.modifierGraceWindowMilliseconds, 0);
}

TEST(RuleEngineSettingsTest, MirrorsFollowEveryAssignment) {
    Settings settings;
    settings.setRightCommandAction(Action::kana);
    EXPECT_TRUE(settings.rightCommandSwitchesToKana());
    settings.setRightCommandAction(Action::eisu);
    EXPECT_FALSE(settings.rightCommandSwitchesToKana());
    settings.rightCommandAction = Action::standard;
    EXPECT_TRUE(settings.rightCommandSwitchesToKana());
    settings.setRightCommandSwitchesToKana(false);
    EXPECT_EQ(settings.rightCommandAction, Action::disabled);

    // Setting a flag true replaces a non-classic action with "standard", leaving the other side alone.
    settings.setLeftCommandAction(Action::katakana);
    settings.setLeftCommandSwitchesToEisu(true);
    EXPECT_EQ(settings.leftCommandAction, Action::standard);
    EXPECT_EQ(settings.rightCommandAction, Action::disabled);
    settings.setLeftCommandAction(Action::eisu);
    settings.setLeftCommandSwitchesToEisu(true);
    EXPECT_EQ(settings.leftCommandAction, Action::standard);

    settings.setRightModifiedCommandAction(Modified::eisu);
    EXPECT_TRUE(settings.shiftRightCommandSwitchesToEisu());
    settings.setRightModifiedCommandAction(Modified::kana);
    EXPECT_FALSE(settings.shiftRightCommandSwitchesToEisu());
    settings.setLeftModifiedCommandAction(Modified::kana);
    EXPECT_TRUE(settings.shiftLeftCommandSwitchesToKana());
    settings.leftModifiedCommandAction = Modified::eisu;
    EXPECT_FALSE(settings.shiftLeftCommandSwitchesToKana());
    settings.setShiftLeftCommandSwitchesToKana(true);
    EXPECT_EQ(settings.leftModifiedCommandAction, Modified::standard);
    settings.setShiftRightCommandSwitchesToEisu(false);
    EXPECT_EQ(settings.rightModifiedCommandAction, Modified::disabled);
    settings.setShiftRightCommandSwitchesToEisu(true);
    EXPECT_EQ(settings.rightModifiedCommandAction, Modified::standard);
    EXPECT_EQ(mirrors(settings), (Mirrors{true, false, true, true}));
    EXPECT_EQ(encodedMirrors(settings), mirrors(settings));
}

TEST(RuleEngineSettingsTest, ClampsByValue) {
    struct Row {
        std::int64_t input, delay, bounce, grace;
    };
    const Row rows[] = {{-5, 0, 0, 0},        {0, 0, 0, 0},           {150, 150, 150, 150},  {200, 200, 200, 200},
                        {201, 201, 201, 200}, {500, 500, 500, 200},   {501, 501, 500, 200},  {2000, 2000, 500, 200},
                        {2001, 2000, 500, 200}, {INT64_MIN, 0, 0, 0}, {INT64_MAX, 2000, 500, 200}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        EXPECT_EQ(Settings::clampedDelayMilliseconds(row.input), row.delay);
        EXPECT_EQ(Settings::clampedKanaBounceDelayMilliseconds(row.input), row.bounce);
        EXPECT_EQ(Settings::clampedModifierGraceWindowMilliseconds(row.input), row.grace);
    }
}

TEST(RuleEngineSettingsTest, ClampsFromSecondsText) {
    struct Row {
        const char* text;
        std::optional<std::int64_t> delay, bounce, grace;
    };
    const Row rows[] = {
        {"0.0505", 51, 51, 51},   {"1", 1000, 500, 200}, {"2.5", 2000, 500, 200}, {"0.7999", 800, 500, 200},
        {"1.2345", 1235, 500, 200}, {"0.0004", 0, 0, 0}, {"0.0005", 1, 1, 1},     {"-1", 0, 0, 0},
        {" 0.1\n", 100, 100, 100}, {"", std::nullopt, std::nullopt, std::nullopt},
        {"0,1", std::nullopt, std::nullopt, std::nullopt}, {"nan", std::nullopt, std::nullopt, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(Settings::clampedDelayMillisecondsFromSecondsString(row.text), row.delay);
        EXPECT_EQ(Settings::clampedKanaBounceDelayMillisecondsFromSecondsString(row.text), row.bounce);
        EXPECT_EQ(Settings::clampedModifierGraceWindowMillisecondsFromSecondsString(row.text), row.grace);
    }
}

TEST(RuleEngineSettingsTest, NormalizeForImport) {
    Settings settings;
    settings.leftCommandDelayMilliseconds = -3;
    settings.rightCommandDelayMilliseconds = 9999;
    settings.leftModifiedCommandDelayMilliseconds = 2001;
    settings.rightModifiedCommandDelayMilliseconds = 1999;
    settings.kanaBounceDelayMilliseconds = 501;
    settings.modifierGraceWindowMilliseconds = 201;
    settings.doublePressGuard.timeoutMilliseconds = 1;
    settings.doublePressGuard.rules.push_back(ShortcutGuardRule{"??", true, 2, ShortcutGuardTimingPreset::standard, {}, {}});
    settings.keypadShortcutHacks.period.outputText = "\n";
    settings.normalizeForImport();
    EXPECT_EQ(settings.leftCommandDelayMilliseconds, 0);
    EXPECT_EQ(settings.rightCommandDelayMilliseconds, 2000);
    EXPECT_EQ(settings.leftModifiedCommandDelayMilliseconds, 2000);
    EXPECT_EQ(settings.rightModifiedCommandDelayMilliseconds, 1999);
    EXPECT_EQ(settings.kanaBounceDelayMilliseconds, 500);
    EXPECT_EQ(settings.modifierGraceWindowMilliseconds, 200);
    EXPECT_EQ(settings.doublePressGuard.timeoutMilliseconds, 100);
    EXPECT_EQ(settings.doublePressGuard.rules.size(), 3u);
    EXPECT_EQ(settings.keypadShortcutHacks.period.outputText, ",");
}

} // namespace
} // namespace tessaril
