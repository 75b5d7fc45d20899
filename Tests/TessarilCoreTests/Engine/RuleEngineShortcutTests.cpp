#include "TessarilCoreTests/Engine/RuleEngineTests.hpp"

#include <random>

namespace tessaril {
namespace {

using namespace engine_test;

const Shortcut commandQ = Shortcut::commandQ();
const Shortcut commandW = Shortcut::commandW();

ShortcutGuardRule guardRule(std::string letter, std::int64_t pressCount = 2,
                            ShortcutGuardTimingPreset timing = ShortcutGuardTimingPreset::standard,
                            std::optional<std::int64_t> customTimeout = std::nullopt,
                            KeyboardPresetSet presets = keyboard_preset::standardSet, bool isEnabled = true) {
    return ShortcutGuardRule{std::move(letter), isEnabled, pressCount, timing, customTimeout, presets};
}

RuleEngine guardedEngine(std::vector<ShortcutGuardRule> rules, bool isEnabled = true) {
    RuleEngineSettings settings;
    settings.doublePressGuard = DoublePressGuardSettings(isEnabled, 700, {}, std::move(rules));
    RuleEngine engine;
    engine.setSettings(settings);
    return engine;
}

FixedPhraseRule phrase(std::string text, std::optional<Shortcut> trigger) {
    return FixedPhraseRule("", "", true, std::move(trigger), std::move(text));
}

PairAssistRule pairRule(std::string id, WritingAssistInputModeCondition condition, std::optional<Shortcut> trigger,
                        std::string opening, std::string closing) {
    return PairAssistRule(std::move(id), "", true, condition, std::move(trigger), std::move(opening), std::move(closing));
}

WritingAssistSettings pairRules(std::vector<PairAssistRule> rules) {
    WritingAssistSettings settings;
    settings.pairAssistRules = std::move(rules);
    return settings;
}

TEST(RuleEngineShortcut, DoublePressGuardCountsPressesWithinTheTimeout) {
    struct Case {
        std::string label;
        std::vector<ShortcutGuardRule> rules;
        std::vector<ScriptStep> steps;
    };
    const auto suppressQ = Actions{A::suppressShortcut(commandQ)};
    const auto allowQ = Actions{A::allowShortcut(commandQ)};
    const std::vector<Case> cases{
        {"second press within 700 ms", {guardRule("q")}, {{attempt(commandQ, 1000), suppressQ}, {attempt(commandQ, 1700), allowQ}}},
        {"second press 701 ms later starts a new count",
         {guardRule("q")},
         {{attempt(commandQ, 1000), suppressQ}, {attempt(commandQ, 1701), suppressQ}, {attempt(commandQ, 2000), allowQ}}},
        {"an allowed press ends the count",
         {guardRule("q")},
         {{attempt(commandQ, 0), suppressQ}, {attempt(commandQ, 100), allowQ}, {attempt(commandQ, 200), suppressQ}}},
        {"another shortcut restarts the count",
         {guardRule("q"), guardRule("w")},
         {{attempt(commandQ, 0), suppressQ},
          {attempt(commandW, 100), {A::suppressShortcut(commandW)}},
          {attempt(commandQ, 200), suppressQ},
          {attempt(commandQ, 300), allowQ}}},
        {"an unguarded shortcut clears the count",
         {guardRule("q")},
         {{attempt(commandQ, 0), suppressQ}, {attempt(commandW, 100), {A::allowShortcut(commandW)}}, {attempt(commandQ, 200), suppressQ}}},
        {"three presses, each within the timeout of the previous one",
         {guardRule("q", 3)},
         {{attempt(commandQ, 0), suppressQ}, {attempt(commandQ, 600), suppressQ}, {attempt(commandQ, 1200), allowQ}}},
        {"four presses",
         {guardRule("q", 4, ShortcutGuardTimingPreset::fast)},
         {{attempt(commandQ, 0), suppressQ},
          {attempt(commandQ, 450), suppressQ},
          {attempt(commandQ, 900), suppressQ},
          {attempt(commandQ, 1351), suppressQ},
          {attempt(commandQ, 1800), suppressQ},
          {attempt(commandQ, 2250), suppressQ},
          {attempt(commandQ, 2700), allowQ}}},
        {"slow timing", {guardRule("q", 2, ShortcutGuardTimingPreset::slow)}, {{attempt(commandQ, 0), suppressQ}, {attempt(commandQ, 1000), allowQ}}},
        {"custom 20 ms acts as 100", {guardRule("q", 2, ShortcutGuardTimingPreset::custom, 20)},
         {{attempt(commandQ, 0), suppressQ}, {attempt(commandQ, 100), allowQ}, {attempt(commandQ, 1000), suppressQ}, {attempt(commandQ, 1101), suppressQ}}},
        {"custom above 5000 acts as 5000", {guardRule("q", 2, ShortcutGuardTimingPreset::custom, 8000)},
         {{attempt(commandQ, 0), suppressQ}, {attempt(commandQ, 5000), allowQ}, {attempt(commandQ, 10000), suppressQ}, {attempt(commandQ, 15001), suppressQ}}},
        {"custom without a value acts as 700", {guardRule("q", 2, ShortcutGuardTimingPreset::custom)},
         {{attempt(commandQ, 0), suppressQ}, {attempt(commandQ, 701), suppressQ}, {attempt(commandQ, 1401), allowQ}}},
        {"auto-repeat never lets a held shortcut through and keeps the count",
         {guardRule("q")},
         {{attempt(commandQ, 0), suppressQ},
          {attempt(commandQ, 300, true), suppressQ},
          {attempt(commandQ, 650, true), suppressQ},
          {attempt(commandQ, 700), allowQ}}},
        {"a disabled rule does not guard", {guardRule("q", 2, ShortcutGuardTimingPreset::standard, std::nullopt, keyboard_preset::standardSet, false)},
         {{attempt(commandQ, 0), allowQ}}},
        {"a rule of another preset does not guard", {guardRule("q", 2, ShortcutGuardTimingPreset::standard, std::nullopt, {KeyboardPreset::compactUS})},
         {{attempt(commandQ, 0), allowQ}}},
        {"Command+Shift+Q is not Command+Q", {guardRule("q")},
         {{attempt(shortcut({ShortcutModifier::command, ShortcutModifier::shift}, "q"), 0),
           {A::allowShortcut(shortcut({ShortcutModifier::command, ShortcutModifier::shift}, "q"))}}}},
    };
    for (const auto& c : cases) {
        auto engine = guardedEngine(c.rules);
        runScript(engine, c.steps, c.label);
    }
}

TEST(RuleEngineShortcut, GuardOffLetsEverythingThroughAndForgetsProgress) {
    auto engine = guardedEngine({guardRule("q")});
    EXPECT_EQ(engine.handle(attempt(commandQ, 0)), Actions{A::suppressShortcut(commandQ)});
    engine.resetRuntimeState();
    EXPECT_EQ(engine.handle(attempt(commandQ, 50)), Actions{A::suppressShortcut(commandQ)}) << "a reset starts the count again";
    auto settings = engine.settings();
    settings.doublePressGuard.isEnabled = false;
    engine.setSettings(settings);
    EXPECT_EQ(engine.handle(attempt(commandQ, 100)), Actions{A::allowShortcut(commandQ)});
    EXPECT_EQ(engine.pendingGuard(), std::nullopt);
    // The default guard is off.
    RuleEngine defaults;
    EXPECT_EQ(defaults.handle(attempt(commandQ, 0)), Actions{A::allowShortcut(commandQ)});
}

TEST(RuleEngineShortcut, AssistsTakePrecedenceInOrderAndSwallowRepeats) {
    const auto trigger = shortcut({ShortcutModifier::command, ShortcutModifier::control}, "c");
    TextToolSettings tools;
    tools.plainCopy.isEnabled = true;
    tools.characterCount = {true, trigger};
    RuleEngine engine(RuleEngineSettings(), pairRules({pairRule("p", WritingAssistInputModeCondition::anytime, trigger, "(", ")")}),
                      tools, FixedPhraseAssistSettings{{phrase("hello", trigger)}}, KeyboardPreset::laptop);
    const auto suppress = A::suppressShortcut(trigger);
    runScript(engine, {{attempt(trigger, 0), {suppress, A::performTextTool(TextToolAction::plainCopy)}},
                       {attempt(trigger, 30, true), {suppress}}},
              "text tool first");

    engine.setTextTools(TextToolSettings());
    runScript(engine, {{attempt(trigger, 100), {suppress, A::insertFixedPhrase(FixedPhraseInsertion("hello", {}, {}, FixedPhraseInsertionFormat::plain))}},
                       {attempt(trigger, 130, true), {suppress}}},
              "fixed phrase next");

    engine.setFixedPhraseAssist(FixedPhraseAssistSettings());
    runScript(engine, {{attempt(trigger, 200), {suppress, A::insertTextPair("(", ")")}}, {attempt(trigger, 230, true), {suppress}}},
              "pair assist last");

    engine.setWritingAssist(WritingAssistSettings());
    runScript(engine, {{attempt(trigger, 300), {A::allowShortcut(trigger)}}}, "nothing left");
}

TEST(RuleEngineShortcut, AnsweredAssistsEndGuardProgress) {
    auto engine = guardedEngine({guardRule("q")});
    TextToolSettings tools;
    tools.plainPaste.isEnabled = true;
    engine.setTextTools(tools);
    EXPECT_EQ(engine.handle(attempt(commandQ, 0)), Actions{A::suppressShortcut(commandQ)});
    EXPECT_EQ(engine.handle(attempt(Shortcut::commandControlV(), 10)),
              (Actions{A::suppressShortcut(Shortcut::commandControlV()), A::performTextTool(TextToolAction::plainPaste)}));
    EXPECT_EQ(engine.pendingGuard(), std::nullopt);
    EXPECT_EQ(engine.handle(attempt(commandQ, 20)), Actions{A::suppressShortcut(commandQ)});
    EXPECT_EQ(engine.handle(attempt(commandQ, 30, true)), Actions{A::suppressShortcut(commandQ)});
    EXPECT_EQ(engine.pendingGuard(), (RuleEngine::PendingGuard{commandQ, 20, 1}));
}

TEST(RuleEngineShortcut, FixedPhraseNeedsContentPresetAndTrigger) {
    const auto trigger = shortcut({ShortcutModifier::control, ShortcutModifier::option}, "1");
    auto withFormat = [&](std::string plain, std::optional<std::string> rtf, std::optional<std::string> html,
                          FixedPhraseInsertionFormat format) {
        return FixedPhraseRule("id", "t", true, trigger, std::move(plain), std::move(rtf), std::move(html), format);
    };
    struct Case {
        std::string label;
        FixedPhraseRule rule;
        bool fires;
    };
    auto disabled = phrase("x", trigger);
    disabled.isEnabled = false;
    auto noPreset = phrase("x", trigger);
    noPreset.activePresets = {};
    auto otherPreset = phrase("x", trigger);
    otherPreset.activePresets = {KeyboardPreset::fullSizeUS};
    const std::vector<Case> cases{
        {"plain text", phrase("x", trigger), true},
        {"a single blank counts as content", phrase(" ", trigger), true},
        {"no content", phrase("", trigger), false},
        {"only RTF, plain format", withFormat("", "e1xydGY=", std::nullopt, FixedPhraseInsertionFormat::plain), true},
        {"only RTF, html format", withFormat("", "e1xydGY=", std::nullopt, FixedPhraseInsertionFormat::html), true},
        {"empty RTF", withFormat("", "", std::nullopt, FixedPhraseInsertionFormat::rich), false},
        {"only HTML, html format", withFormat("", std::nullopt, "<b>x</b>", FixedPhraseInsertionFormat::html), true},
        {"only HTML, rich format", withFormat("", std::nullopt, "<b>x</b>", FixedPhraseInsertionFormat::rich), false},
        {"only HTML, plain format", withFormat("", std::nullopt, "<b>x</b>", FixedPhraseInsertionFormat::plain), false},
        {"disabled", disabled, false},
        {"no presets", noPreset, false},
        {"another preset", otherPreset, false},
        {"no trigger", phrase("x", std::nullopt), false},
    };
    for (const auto& c : cases) {
        RuleEngine engine(RuleEngineSettings(), WritingAssistSettings(), TextToolSettings(), FixedPhraseAssistSettings{{c.rule}},
                          KeyboardPreset::laptop);
        auto actions = engine.handle(attempt(trigger, 0));
        ASSERT_FALSE(actions.empty()) << c.label;
        EXPECT_EQ(actions.front().kind(), c.fires ? A::Kind::suppressShortcut : A::Kind::allowShortcut) << c.label;
        EXPECT_EQ(actions.size(), c.fires ? 2u : 1u) << c.label;
    }
}

TEST(RuleEngineShortcut, FixedPhraseInsertionCarriesTheRulesContent) {
    const auto trigger = shortcut({ShortcutModifier::command, ShortcutModifier::option}, "p");
    auto rule = FixedPhraseRule("id", "title", true, trigger, "plain", "e1xydGY=", "<p>x</p>", FixedPhraseInsertionFormat::html,
                                FixedPhraseInputMode::rich, FixedPhrasePreviewMode::markdown, FixedPhraseInsertionMode::text);
    auto second = phrase("second", trigger);
    RuleEngine engine(RuleEngineSettings(), WritingAssistSettings(), TextToolSettings(), FixedPhraseAssistSettings{{rule, second}},
                      KeyboardPreset::compactUS);
    auto expected = FixedPhraseInsertion("plain", "e1xydGY=", "<p>x</p>", FixedPhraseInsertionFormat::html, FixedPhraseInputMode::rich,
                                         FixedPhrasePreviewMode::markdown, FixedPhraseInsertionMode::text);
    EXPECT_EQ(engine.handle(attempt(trigger, 0)), (Actions{A::suppressShortcut(trigger), A::insertFixedPhrase(expected)}));
    // Attempts arrive in base form; a key text that differs from the trigger's is another shortcut.
    EXPECT_EQ(engine.handle(attempt(shortcut({ShortcutModifier::command, ShortcutModifier::option}, "P"), 0)).front().kind(),
              A::Kind::allowShortcut);
}

TEST(RuleEngineShortcut, PairAssistConditionsFollowTheAssistMode) {
    const auto trigger = Shortcut::controlShiftCloseBracket();
    struct Case {
        std::string label;
        WritingAssistInputModeCondition condition;
        std::optional<InputMode> observed;
        bool fires;
    };
    using C = WritingAssistInputModeCondition;
    const std::vector<Case> cases{
        {"kanaOnly in kana", C::kanaOnly, InputMode::kana, true},
        {"kanaOnly in katakana", C::kanaOnly, InputMode::katakana, true},
        {"kanaOnly in half-width katakana", C::kanaOnly, InputMode::halfWidthKatakana, true},
        {"kanaOnly in eisu", C::kanaOnly, InputMode::eisu, false},
        {"kanaOnly with no mode", C::kanaOnly, std::nullopt, false},
        {"eisuOnly in eisu", C::eisuOnly, InputMode::eisu, true},
        {"eisuOnly in full-width roman", C::eisuOnly, InputMode::fullWidthRoman, true},
        {"eisuOnly in kana", C::eisuOnly, InputMode::kana, false},
        {"eisuOnly with no mode", C::eisuOnly, std::nullopt, false},
        {"anytime with no mode", C::anytime, std::nullopt, true},
    };
    for (const auto& c : cases) {
        RuleEngine engine;
        engine.setWritingAssist(pairRules({pairRule("r", c.condition, trigger, "「", "」")}));
        engine.setObservedInputMode(c.observed);
        auto expected = c.fires ? Actions{A::suppressShortcut(trigger), A::insertTextPair("「", "」")}
                                : Actions{A::allowShortcut(trigger)};
        EXPECT_EQ(engine.handle(attempt(trigger, 0)), expected) << c.label;
    }
}

TEST(RuleEngineShortcut, KanaOnlyPairFiresInsideTheWindowOfACommandTapRequest) {
    const auto trigger = shortcut({ShortcutModifier::control}, "9");
    RuleEngine engine;
    engine.setWritingAssist(pairRules({pairRule("r", WritingAssistInputModeCondition::kanaOnly, trigger, "（", "）")}));
    engine.setObservedInputMode(InputMode::eisu);
    engine.handle(down(rightCommand(), 1000));
    engine.handle(up(rightCommand(), 1050));
    const auto fired = Actions{A::suppressShortcut(trigger), A::insertTextPair("（", "）")};
    EXPECT_EQ(engine.handle(attempt(trigger, 1100)), fired);
    EXPECT_EQ(engine.handle(attempt(trigger, 1450)), fired);
    EXPECT_EQ(engine.handle(attempt(trigger, 1451)), Actions{A::allowShortcut(trigger)});
}

TEST(RuleEngineShortcut, PairRulesAreWalkedInOrderSkippingThoseThatDoNotApply) {
    const auto trigger = shortcut({ShortcutModifier::control}, "8");
    auto disabled = pairRule("a", WritingAssistInputModeCondition::anytime, trigger, "1", "1");
    disabled.isEnabled = false;
    auto otherPreset = pairRule("b", WritingAssistInputModeCondition::anytime, trigger, "2", "2");
    otherPreset.activePresets = {KeyboardPreset::fullSizeUS};
    auto kanaOnly = pairRule("c", WritingAssistInputModeCondition::kanaOnly, trigger, "3", "3");
    auto anytime = pairRule("d", WritingAssistInputModeCondition::anytime, trigger, "4", "4");
    auto later = pairRule("e", WritingAssistInputModeCondition::anytime, trigger, "5", "5");
    RuleEngine engine;
    engine.setWritingAssist(pairRules({disabled, otherPreset, kanaOnly, anytime, later}));
    engine.setObservedInputMode(InputMode::eisu);
    EXPECT_EQ(engine.handle(attempt(trigger, 0)), (Actions{A::suppressShortcut(trigger), A::insertTextPair("4", "4")}));
    engine.setObservedInputMode(InputMode::kana);
    EXPECT_EQ(engine.handle(attempt(trigger, 0)), (Actions{A::suppressShortcut(trigger), A::insertTextPair("3", "3")}));
    engine.setActivePreset(KeyboardPreset::fullSizeUS);
    EXPECT_EQ(engine.handle(attempt(trigger, 0)), (Actions{A::suppressShortcut(trigger), A::insertTextPair("2", "2")}));
}

TEST(RuleEngineShortcut, OlderPairRecordsAreInForceWithoutARuleList) {
    WritingAssistSettings assists;
    assists.quoteAssist.isEnabled = true;
    assists.quoteAssist.inputModeCondition = WritingAssistInputModeCondition::anytime;
    RuleEngine engine;
    engine.setWritingAssist(assists);
    EXPECT_EQ(engine.handle(attempt(Shortcut::controlShiftQuote(), 0)),
              (Actions{A::suppressShortcut(Shortcut::controlShiftQuote()), A::insertTextPair("\u201C", "\u201D")}));
    EXPECT_EQ(engine.handle(attempt(Shortcut::controlShiftCloseBracket(), 0)),
              Actions{A::allowShortcut(Shortcut::controlShiftCloseBracket())});
}

// The lookup tables must answer exactly what the records' own lookups answer, whatever the rules.
TEST(RuleEngineShortcut, LookupTablesAgreeWithTheRecords) {
    std::mt19937 random(20240611);
    auto pick = [&](int bound) { return static_cast<int>(random() % static_cast<unsigned>(bound)); };
    const std::vector<std::string> keys{"a", "b", "q", "w", "1", "\u00E9", "e\u0301"};
    const std::vector<ShortcutModifierSet> modifierSets{
        {ShortcutModifier::command}, {ShortcutModifier::command, ShortcutModifier::shift}, {ShortcutModifier::control}};
    auto randomShortcut = [&] { return shortcut(modifierSets[pick(3)], keys[pick(static_cast<int>(keys.size()))]); };
    auto randomPresets = [&] {
        KeyboardPresetSet set;
        for (auto preset : keyboard_preset::standardCases) {
            if (pick(3) != 0) set.insert(preset);
        }
        return set;
    };

    for (int round = 0; round < 40; ++round) {
        FixedPhraseAssistSettings phrases;
        for (int index = 0; index < 30; ++index) {
            auto rule = phrase(pick(4) == 0 ? "" : "p" + std::to_string(index), randomShortcut());
            rule.isEnabled = pick(5) != 0;
            rule.activePresets = randomPresets();
            if (pick(6) == 0) rule.trigger.reset();
            phrases.rules.push_back(rule);
        }
        std::vector<ShortcutGuardRule> guardRules;
        for (int index = 0; index < 12; ++index) {
            const std::vector<std::string> letters{"q", "w", "a", "Q", "ab", ""};
            guardRules.push_back(guardRule(letters[pick(6)], 2 + pick(3), ShortcutGuardTimingPreset::standard, std::nullopt,
                                           randomPresets(), pick(4) != 0));
        }
        RuleEngineSettings settings;
        settings.doublePressGuard = DoublePressGuardSettings(true, 700, {}, guardRules);
        for (auto preset : keyboard_preset::standardCases) {
            RuleEngine engine(settings, WritingAssistSettings(), TextToolSettings(), phrases, preset);
            for (int probe = 0; probe < 30; ++probe) {
                auto candidate = randomShortcut();
                engine.resetRuntimeState();
                auto actions = engine.handle(attempt(candidate, 0));
                auto expectedPhrase = phrases.activeRule(candidate, preset);
                auto expectedGuard = settings.doublePressGuard.rule(candidate, preset);
                if (expectedPhrase) {
                    ASSERT_EQ(actions.size(), 2u);
                    EXPECT_EQ(actions[1].get<A::InsertFixedPhrase>()->insertion.plainText, expectedPhrase->plainText);
                } else if (expectedGuard) {
                    EXPECT_EQ(actions, Actions{A::suppressShortcut(candidate)});
                    // The rule's press count decides when the shortcut gets through.
                    for (std::int64_t press = 2; press < expectedGuard->pressCount; ++press) {
                        EXPECT_EQ(engine.handle(attempt(candidate, press)), Actions{A::suppressShortcut(candidate)});
                    }
                    EXPECT_EQ(engine.handle(attempt(candidate, 10)), Actions{A::allowShortcut(candidate)});
                } else {
                    EXPECT_EQ(actions, Actions{A::allowShortcut(candidate)});
                }
            }
        }
    }
}

TEST(RuleEngineShortcut, CanonicallyEquivalentTriggersMatch) {
    const auto composed = shortcut({ShortcutModifier::control}, "\u00E9");
    const auto decomposed = shortcut({ShortcutModifier::control}, "e\u0301");
    RuleEngine engine(RuleEngineSettings(), WritingAssistSettings(), TextToolSettings(),
                      FixedPhraseAssistSettings{{phrase("café", composed)}}, KeyboardPreset::laptop);
    EXPECT_EQ(engine.handle(attempt(decomposed, 0)).size(), 2u);
}

} // namespace
} // namespace tessaril
