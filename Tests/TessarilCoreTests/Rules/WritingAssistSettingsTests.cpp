#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "TessarilCoreTests/Support/DecodingFailure.hpp"
#include "TessarilCore/Settings/AppWritingAssistSettings.hpp"
#include "TessarilCore/Support/UUIDGenerator.hpp"
#include "TessarilCore/Rules/WritingAssistSettings.hpp"

namespace tessaril {
namespace {

using test_support::decodingFailure;
using test_support::expectDecodingFailures;

using Condition = WritingAssistInputModeCondition;
using Modifier = Shortcut::Modifier;

Shortcut controlShift(std::string character) {
    return Shortcut{ShortcutModifierSet{Modifier::control, Modifier::shift}, Shortcut::Key::character(std::move(character))};
}


TEST(WritingAssistInputModeConditionTest, CanActivateFollowsTheModeFamily) {
    struct Case {
        Condition condition;
        std::optional<InputMode> mode;
        bool expected;
    };
    const std::vector<Case> cases{
        {Condition::kanaOnly, InputMode::kana, true},
        {Condition::kanaOnly, InputMode::katakana, true},
        {Condition::kanaOnly, InputMode::halfWidthKatakana, true},
        {Condition::kanaOnly, InputMode::eisu, false},
        {Condition::kanaOnly, InputMode::fullWidthRoman, false},
        {Condition::kanaOnly, std::nullopt, false},
        {Condition::eisuOnly, InputMode::eisu, true},
        {Condition::eisuOnly, InputMode::fullWidthRoman, true},
        {Condition::eisuOnly, InputMode::kana, false},
        {Condition::eisuOnly, InputMode::halfWidthKatakana, false},
        {Condition::eisuOnly, std::nullopt, false},
        {Condition::anytime, InputMode::katakana, true},
        {Condition::anytime, InputMode::eisu, true},
        {Condition::anytime, std::nullopt, true},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(canActivate(testCase.condition, testCase.mode), testCase.expected)
            << rawValue(testCase.condition) << " / " << (testCase.mode ? rawValue(*testCase.mode) : "none");
    }
    EXPECT_EQ(allCases<Condition>(), (std::array{Condition::kanaOnly, Condition::eisuOnly, Condition::anytime}));
    EXPECT_EQ(enumFromRawValue<Condition>("anytime"), Condition::anytime);
    EXPECT_EQ(enumFromRawValue<Condition>("Anytime"), std::nullopt);
}

TEST(SinglePairAssistSettingsTest, EmptyObjectDecodesToTheStandardPairs) {
    auto quote = coding::decode<QuoteAssistSettings>(Json::object());
    EXPECT_FALSE(quote.isEnabled);
    EXPECT_EQ(quote.inputModeCondition, Condition::kanaOnly);
    EXPECT_EQ(quote.trigger, controlShift("'"));
    EXPECT_EQ(quote.openingText, "\u201C");
    EXPECT_EQ(quote.closingText, "\u201D");
    EXPECT_EQ(quote.activePresets, keyboard_preset::standardSet);
    EXPECT_EQ(quote, QuoteAssistSettings());

    auto pair = coding::decode<PairInsertionAssistSettings>(Json::object());
    EXPECT_FALSE(pair.isEnabled);
    EXPECT_EQ(pair.inputModeCondition, Condition::kanaOnly);
    EXPECT_EQ(pair.trigger, controlShift("]"));
    EXPECT_EQ(pair.openingText, "【");
    EXPECT_EQ(pair.closingText, "】");
    EXPECT_EQ(pair, PairInsertionAssistSettings());

    // Nulls take the standard values too, except the trigger (see below).
    auto nulls = Json{{"isEnabled", nullptr}, {"openingText", nullptr}, {"closingText", nullptr}, {"activePresets", nullptr}};
    EXPECT_EQ(coding::decode<QuoteAssistSettings>(nulls), QuoteAssistSettings());
}

TEST(SinglePairAssistSettingsTest, ConditionFallsBackToTheOlderKanaFlag) {
    struct Case {
        const char* json;
        Condition expected;
    };
    const std::vector<Case> cases{
        {R"({})", Condition::kanaOnly},
        {R"({"requiresKanaInput": false})", Condition::eisuOnly},
        {R"({"requiresKanaInput": true})", Condition::kanaOnly},
        {R"({"requiresKanaInput": null})", Condition::kanaOnly},
        {R"({"inputModeCondition": "anytime", "requiresKanaInput": false})", Condition::anytime},
        {R"({"inputModeCondition": null, "requiresKanaInput": false})", Condition::eisuOnly},
        // The flag is not read at all once the condition is there.
        {R"({"inputModeCondition": "eisuOnly", "requiresKanaInput": "yes"})", Condition::eisuOnly},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(coding::decode<QuoteAssistSettings>(Json::parse(testCase.json)).inputModeCondition, testCase.expected)
            << testCase.json;
    }
}

TEST(SinglePairAssistSettingsTest, MissingTriggerIsStandardButNullIsNone) {
    EXPECT_EQ(coding::decode<QuoteAssistSettings>(Json::parse(R"({"trigger": null})")).trigger, std::nullopt);

    QuoteAssistSettings withoutTrigger;
    withoutTrigger.trigger.reset();
    Json encoded = coding::encode(withoutTrigger);
    ASSERT_TRUE(encoded.contains("trigger"));
    EXPECT_TRUE(encoded["trigger"].is_null());
    EXPECT_EQ(coding::decode<QuoteAssistSettings>(encoded), withoutTrigger);
}

TEST(SinglePairAssistSettingsTest, TriggersAreKeptInBaseForm) {
    auto shiftedQuote = coding::encode(controlShift("\""));
    EXPECT_EQ(coding::decode<QuoteAssistSettings>(Json{{"trigger", shiftedQuote}}).trigger, controlShift("'"));
    EXPECT_EQ(QuoteAssistSettings(true, Condition::anytime, controlShift("}"), "(", ")", keyboard_preset::standardSet).trigger,
              controlShift("]"));

    for (const auto& key : {Shortcut::Key::keypadPeriod(), Shortcut::Key::escape()}) {
        Shortcut shortcut{ShortcutModifierSet{Modifier::control}, key};
        EXPECT_EQ(coding::decode<PairInsertionAssistSettings>(Json{{"trigger", coding::encode(shortcut)}}).trigger, shortcut);
    }
}

TEST(SinglePairAssistSettingsTest, RequiresKanaInputMapsOntoTheCondition) {
    QuoteAssistSettings quote;
    quote.inputModeCondition = Condition::anytime;
    EXPECT_FALSE(quote.requiresKanaInput());
    quote.setRequiresKanaInput(false);
    EXPECT_EQ(quote.inputModeCondition, Condition::eisuOnly);
    EXPECT_FALSE(quote.requiresKanaInput());

    quote.inputModeCondition = Condition::anytime;
    quote.setRequiresKanaInput(true);
    EXPECT_EQ(quote.inputModeCondition, Condition::kanaOnly);
    EXPECT_TRUE(quote.requiresKanaInput());
}

TEST(SinglePairAssistSettingsTest, InsertedTextAndCursorDistance) {
    EXPECT_EQ(QuoteAssistSettings().insertedText(), "\u201C\u201D");
    EXPECT_EQ(QuoteAssistSettings().cursorLeftCount(), 1u);

    struct Case {
        const char* closing;
        std::size_t expected;
    };
    // The cursor moves by user-perceived characters: a family emoji or a flag is one step.
    const std::vector<Case> cases{{"」", 1}, {"", 0}, {"*/", 2}, {"👨‍👩‍👧", 1}, {"🇯🇵」", 2}, {"e\u0301", 1}};
    for (const auto& testCase : cases) {
        PairAssistRule rule("r", "t", true, Condition::anytime, std::nullopt, "<", testCase.closing);
        EXPECT_EQ(rule.cursorLeftCount(), testCase.expected) << testCase.closing;
        EXPECT_EQ(rule.insertedText(), std::string("<") + testCase.closing);
    }
}

TEST(SinglePairAssistSettingsTest, EncodesEveryFieldAndNotTheOlderFlag) {
    PairInsertionAssistSettings pair(true, Condition::eisuOnly, controlShift("9"), "(", ")", {KeyboardPreset::fullSizeUS});
    Json expected = Json::parse(R"json({
        "isEnabled": true,
        "inputModeCondition": "eisuOnly",
        "trigger": {"modifiers": [{"shift": {}}, {"control": {}}], "key": {"character": {"_0": "9"}}},
        "openingText": "(",
        "closingText": ")",
        "activePresets": ["fullSizeUS"]
    })json");
    EXPECT_EQ(coding::encode(pair), expected);
    EXPECT_EQ(coding::decode<PairInsertionAssistSettings>(expected), pair);

    QuoteAssistSettings quote(false, Condition::anytime, std::nullopt, "", "", {});
    EXPECT_EQ(coding::decode<QuoteAssistSettings>(coding::encode(quote)), quote);
}

TEST(PairAssistRuleTest, EmptyObjectDecodesToAFreshDisabledRule) {
    UUIDGenerator::ScopedOverride guard(UUIDGenerator::sequential());
    auto rule = coding::decode<PairAssistRule>(Json::object());
    EXPECT_EQ(rule.id, "00000000-0000-4000-8000-000000000001");
    EXPECT_EQ(rule.title, "括弧・引用");
    EXPECT_FALSE(rule.isEnabled);
    EXPECT_EQ(rule.inputModeCondition, Condition::kanaOnly);
    EXPECT_EQ(rule.trigger, std::nullopt);
    EXPECT_EQ(rule.openingText, "");
    EXPECT_EQ(rule.closingText, "");
    EXPECT_EQ(rule.activePresets, keyboard_preset::standardSet);

    auto blank = coding::decode<PairAssistRule>(Json::parse(R"({"id": "", "title": "", "trigger": null})"));
    EXPECT_EQ(blank.id, "00000000-0000-4000-8000-000000000002");
    EXPECT_EQ(blank.title, "括弧・引用");
    EXPECT_EQ(coding::decode<PairAssistRule>(Json::parse(R"({"id": null})")).id, "00000000-0000-4000-8000-000000000003");
}

TEST(PairAssistRuleTest, RoundTripsAndLeavesAnAbsentTriggerOut) {
    PairAssistRule rule("A1", "かぎ括弧", true, Condition::anytime, controlShift("8"), "「", "」",
                        {KeyboardPreset::laptop, KeyboardPreset::compactUS});
    Json encoded = coding::encode(rule);
    EXPECT_EQ(encoded, Json::parse(R"json({
        "id": "A1", "title": "かぎ括弧", "isEnabled": true, "inputModeCondition": "anytime",
        "trigger": {"modifiers": [{"shift": {}}, {"control": {}}], "key": {"character": {"_0": "8"}}},
        "openingText": "「", "closingText": "」", "activePresets": ["laptop", "compactUS"]
    })json"));
    EXPECT_EQ(coding::decode<PairAssistRule>(encoded), rule);

    rule.trigger.reset();
    encoded = coding::encode(rule);
    EXPECT_FALSE(encoded.contains("trigger"));
    EXPECT_EQ(coding::decode<PairAssistRule>(encoded), rule);

    auto trigger = coding::encode(controlShift("*"));
    EXPECT_EQ(coding::decode<PairAssistRule>(Json{{"id", "x"}, {"trigger", trigger}}).trigger, controlShift("8"));
    EXPECT_EQ(coding::decode<PairAssistRule>(Json::parse(R"({"activePresets": ["laptop"]})")).activePresets,
              KeyboardPresetSet{KeyboardPreset::laptop});
}

TEST(PairAssistRuleTest, MatchesOnlyAnEnabledTriggeredRuleOfThePresetAndMode) {
    const auto shortcut = controlShift("8");
    const PairAssistRule rule("r", "t", true, Condition::kanaOnly, shortcut, "「", "」", {KeyboardPreset::laptop});
    EXPECT_TRUE(rule.matches(shortcut, KeyboardPreset::laptop, InputMode::kana));

    PairAssistRule disabled = rule;
    disabled.isEnabled = false;
    PairAssistRule untriggered = rule;
    untriggered.trigger.reset();
    PairAssistRule noPresets = rule;
    noPresets.activePresets = {};
    EXPECT_FALSE(disabled.matches(shortcut, KeyboardPreset::laptop, InputMode::kana));
    EXPECT_FALSE(untriggered.matches(shortcut, KeyboardPreset::laptop, InputMode::kana));
    EXPECT_FALSE(noPresets.matches(shortcut, KeyboardPreset::laptop, InputMode::kana));
    EXPECT_FALSE(rule.matches(shortcut, KeyboardPreset::compactUS, InputMode::kana));
    EXPECT_FALSE(rule.matches(shortcut, KeyboardPreset::laptop, InputMode::eisu));
    EXPECT_FALSE(rule.matches(shortcut, KeyboardPreset::laptop, std::nullopt));
    EXPECT_FALSE(rule.matches(controlShift("9"), KeyboardPreset::laptop, InputMode::kana));
    Shortcut commandOnly{ShortcutModifierSet{Modifier::command}, Shortcut::Key::character("8")};
    EXPECT_FALSE(rule.matches(commandOnly, KeyboardPreset::laptop, InputMode::kana));
}

TEST(WritingAssistSettingsTest, WithoutRulesTheOlderPairsAreInForce) {
    WritingAssistSettings settings;
    settings.quoteAssist.isEnabled = true;
    settings.pairInsertionAssist.inputModeCondition = Condition::anytime;
    settings.pairInsertionAssist.trigger = controlShift("}"); // stored before base keys were kept

    const std::vector<PairAssistRule> derived{
        PairAssistRule("quote", "引用符", true, Condition::kanaOnly, controlShift("'"), "\u201C", "\u201D"),
        PairAssistRule("pairInsertion", "すみ付き括弧", false, Condition::anytime, controlShift("]"), "【", "】"),
    };
    EXPECT_EQ(settings.effectivePairAssistRules(), derived);

    settings.ensurePairAssistRules();
    EXPECT_EQ(settings.pairAssistRules, derived);

    // Once the list holds rules the older pairs no longer count.
    settings.pairAssistRules.pop_back();
    settings.quoteAssist.isEnabled = false;
    EXPECT_EQ(settings.effectivePairAssistRules(), std::vector<PairAssistRule>{derived[0]});

    settings.pairAssistRules.clear();
    EXPECT_EQ(settings.effectivePairAssistRules()[0].id, "quote");
    EXPECT_FALSE(settings.effectivePairAssistRules()[0].isEnabled);
    EXPECT_EQ(settings.effectivePairAssistRules().size(), 2u);
}

TEST(WritingAssistSettingsTest, StoredRuleWithoutIdentityGetsANewIdOnEveryReadUntilStored) {
    UUIDGenerator::ScopedOverride guard(UUIDGenerator::sequential());
    PairAssistRule rule("keep", "t", true, Condition::anytime, std::nullopt, "(", ")");
    rule.id.clear();
    rule.title.clear();
    rule.trigger = controlShift("(");
    WritingAssistSettings settings{QuoteAssistSettings(), PairInsertionAssistSettings(), {rule}};

    auto first = settings.effectivePairAssistRules();
    auto second = settings.effectivePairAssistRules();
    EXPECT_EQ(first[0].id, "00000000-0000-4000-8000-000000000001");
    EXPECT_EQ(second[0].id, "00000000-0000-4000-8000-000000000002");
    EXPECT_EQ(first[0].title, "括弧・引用");
    EXPECT_EQ(first[0].trigger, controlShift("9"));
    EXPECT_EQ(settings.pairAssistRules[0], rule); // reading changes nothing stored

    settings.ensurePairAssistRules();
    EXPECT_EQ(settings.pairAssistRules[0].id, "00000000-0000-4000-8000-000000000003");
    EXPECT_EQ(settings.effectivePairAssistRules()[0].id, "00000000-0000-4000-8000-000000000003");
}

TEST(WritingAssistSettingsTest, NormalizeShortcutBaseKeysTouchesOnlyTriggers) {
    PairAssistRule stored("", "", true, Condition::anytime, std::nullopt, "(", ")");
    stored.id.clear();
    stored.title.clear();
    stored.trigger = controlShift("!");
    PairAssistRule untriggered("u", "t", true, Condition::anytime, std::nullopt, "", "");
    WritingAssistSettings settings{QuoteAssistSettings(), PairInsertionAssistSettings(), {stored, untriggered}};
    settings.quoteAssist.trigger = controlShift("\"");
    settings.pairInsertionAssist.trigger.reset();

    settings.normalizeShortcutBaseKeys();
    EXPECT_EQ(settings.quoteAssist.trigger, controlShift("'"));
    EXPECT_EQ(settings.pairInsertionAssist.trigger, std::nullopt);
    EXPECT_EQ(settings.pairAssistRules[0].trigger, controlShift("1"));
    EXPECT_EQ(settings.pairAssistRules[0].id, "");
    EXPECT_EQ(settings.pairAssistRules[0].title, "");
    EXPECT_EQ(settings.pairAssistRules[1], untriggered);
}

TEST(WritingAssistSettingsTest, NormalizedPairAssistRuleAppliesTheConstructorRules) {
    UUIDGenerator::ScopedOverride guard(UUIDGenerator::sequential());
    PairAssistRule rule("id", "title", false, Condition::eisuOnly, std::nullopt, "a", "b", {KeyboardPreset::compactUS});
    EXPECT_EQ(WritingAssistSettings::normalizedPairAssistRule(rule), rule);

    rule.id.clear();
    rule.title.clear();
    rule.trigger = controlShift("?");
    auto normalized = WritingAssistSettings::normalizedPairAssistRule(rule);
    EXPECT_EQ(normalized.id, "00000000-0000-4000-8000-000000000001");
    EXPECT_EQ(normalized.title, "括弧・引用");
    EXPECT_EQ(normalized.trigger, controlShift("/"));
    EXPECT_EQ(normalized.activePresets, KeyboardPresetSet{KeyboardPreset::compactUS});
}

TEST(WritingAssistSettingsTest, DecodesDefaultsAndRoundTrips) {
    EXPECT_EQ(coding::decode<WritingAssistSettings>(Json::object()), WritingAssistSettings());
    EXPECT_EQ(coding::decode<WritingAssistSettings>(Json::parse(
                  R"({"quoteAssist": null, "pairInsertionAssist": null, "pairAssistRules": null})")),
              WritingAssistSettings());

    WritingAssistSettings settings;
    settings.quoteAssist.trigger.reset();
    settings.pairInsertionAssist.isEnabled = true;
    settings.pairAssistRules.push_back(PairAssistRule("R", "T", true, Condition::anytime, controlShift("8"), "«", "»"));
    Json encoded = coding::encode(settings);
    EXPECT_EQ(encoded["pairAssistRules"].size(), 1u);
    EXPECT_EQ(coding::decode<WritingAssistSettings>(encoded), settings);

    // The stored list is written, not the effective one.
    EXPECT_EQ(coding::encode(WritingAssistSettings())["pairAssistRules"], Json::array());
}

TEST(AppWritingAssistSettingsTest, DisplayNameIsRequiredAndTheRestDefaults) {
    auto app = coding::decode<AppWritingAssistSettings>(Json::parse(R"({"displayName": "X"})"));
    EXPECT_EQ(app, (AppWritingAssistSettings{"X", false, WritingAssistSettings()}));

    AppWritingAssistSettings custom{"テキストエディット", true, WritingAssistSettings()};
    custom.writingAssist.ensurePairAssistRules();
    EXPECT_EQ(coding::decode<AppWritingAssistSettings>(coding::encode(custom)), custom);

    auto missing = decodingFailure<AppWritingAssistSettings>(Json::object());
    EXPECT_EQ(missing.kind(), DecodingError::Kind::keyNotFound);
    EXPECT_EQ(missing.message(), "No value associated with key \"displayName\".");
    EXPECT_EQ(decodingFailure<AppWritingAssistSettings>(Json::parse(R"({"displayName": null})")).kind(),
              DecodingError::Kind::valueNotFound);
}

TEST(WritingAssistSettingsTest, WrongValuesFailWithTheirPath) {
    expectDecodingFailures<WritingAssistSettings>({
        {Json::parse(R"({"quoteAssist": {"isEnabled": "yes"}})"), DecodingError::Kind::typeMismatch,
         "Expected to decode Bool but found a string instead.", "quoteAssist.isEnabled"},
        {Json::parse(R"({"quoteAssist": {"requiresKanaInput": 1}})"), DecodingError::Kind::typeMismatch,
         "Expected to decode Bool but found a number instead.", "quoteAssist.requiresKanaInput"},
        {Json::parse(R"({"pairInsertionAssist": {"inputModeCondition": "always"}})"), DecodingError::Kind::dataCorrupted,
         "Cannot initialize WritingAssistInputModeCondition from invalid String value always",
         "pairInsertionAssist.inputModeCondition"},
        {Json::parse(R"({"pairInsertionAssist": {"activePresets": ["laptop", "custom"]}})"), DecodingError::Kind::dataCorrupted,
         "Cannot initialize KeyboardPreset from invalid String value custom", "pairInsertionAssist.activePresets[1]"},
        {Json::parse(R"({"quoteAssist": {"trigger": {"modifiers": [], "key": {}}}})"), DecodingError::Kind::typeMismatch,
         "Invalid number of keys found, expected one.", "quoteAssist.trigger.key"},
        {Json::parse(R"({"quoteAssist": []})"), DecodingError::Kind::typeMismatch,
         "Expected to decode QuoteAssistSettings (a dictionary) but found an array instead.", "quoteAssist"},
        {Json::parse(R"({"pairAssistRules": {}})"), DecodingError::Kind::typeMismatch,
         "Expected to decode Array (an array) but found a dictionary instead.", "pairAssistRules"},
        {Json::parse(R"({"pairAssistRules": [{}, {"title": 5}]})"), DecodingError::Kind::typeMismatch,
         "Expected to decode String but found a number instead.", "pairAssistRules[1].title"},
        {Json::parse(R"({"pairAssistRules": [{"trigger": "^"}]})"), DecodingError::Kind::typeMismatch,
         "Expected to decode Shortcut (a dictionary) but found a string instead.", "pairAssistRules[0].trigger"},
        // Of several bad values, the first in field order is the one reported.
        {Json::parse(R"({"quoteAssist": {"isEnabled": 1, "activePresets": 1}})"), DecodingError::Kind::typeMismatch,
         "Expected to decode Bool but found a number instead.", "quoteAssist.isEnabled"},
        {Json::parse(R"({"pairAssistRules": [{"title": 5, "closingText": 5}]})"), DecodingError::Kind::typeMismatch,
         "Expected to decode String but found a number instead.", "pairAssistRules[0].title"},
    });
}

} // namespace
} // namespace tessaril
