#include "TessarilCoreTests/Engine/RuleEngineTests.hpp"

namespace tessaril {
namespace {

using namespace engine_test;

const PhysicalKey equal = PhysicalKey::keypadEqual();
const PhysicalKey slash = PhysicalKey::keypadSlash();
const PhysicalKey period = PhysicalKey::keypadPeriod();
const PhysicalKey asterisk = PhysicalKey::keypadAsterisk();

// The slash rule types "¥" with Shift; the combination is on.
KeypadShortcutHackSettings slashHack() {
    KeypadShortcutHackSettings hacks;
    hacks.usesKeypadEqualCombo = true;
    hacks.slash.isEnabled = true;
    return hacks;
}

RuleEngine engineWith(KeypadShortcutHackSettings hacks, KeyboardPreset preset = KeyboardPreset::laptop) {
    RuleEngineSettings settings;
    settings.keypadShortcutHacks = std::move(hacks);
    return RuleEngine(settings, WritingAssistSettings(), TextToolSettings(), FixedPhraseAssistSettings(), preset);
}

TEST(RuleEngineKeypad, EqualCombination) {
    struct Case {
        std::string label;
        KeypadShortcutHackSettings hacks;
        std::vector<ScriptStep> steps;
    };
    const auto suppressEqual = A::suppressPhysicalKey(equal);
    auto noCombo = slashHack();
    noCombo.usesKeypadEqualCombo = false;
    auto noRule = slashHack();
    noRule.slash.isEnabled = false;
    auto ruleElsewhere = slashHack();
    ruleElsewhere.slash.activePresets = {KeyboardPreset::compactUS};
    const std::vector<Case> cases{
        {"pressed and released alone types =",
         slashHack(),
         {{down(equal, 0), {suppressEqual}}, {up(equal, 50), {suppressEqual, A::insertText("=")}}}},
        {"= as the modifier of a hack, whatever the rule's own modifier",
         slashHack(),
         {{down(equal, 0), {suppressEqual}},
          {down(slash, 10), {A::suppressPhysicalKey(slash), A::insertText("\u00A5")}},
          {up(slash, 20), {}},
          {down(slash, 30), {A::suppressPhysicalKey(slash), A::insertText("\u00A5")}},
          {up(equal, 40), {suppressEqual}}}},
        {"a character flushes the = and passes",
         slashHack(),
         {{down(equal, 0), {suppressEqual}}, {down(character("a"), 10), {A::insertText("=")}}, {up(equal, 20), {}}}},
        {"Shift flushes the =",
         slashHack(),
         {{down(equal, 0), {suppressEqual}}, {down(leftShift(), 10), {A::insertText("=")}}, {up(equal, 20), {}}}},
        {"a keypad key whose hack does not fire flushes the =",
         slashHack(),
         {{down(equal, 0), {suppressEqual}}, {down(asterisk, 10), {A::insertText("=")}}, {up(equal, 20), {}}}},
        {"after serving as a modifier a dead key leaves the = in place",
         slashHack(),
         {{down(equal, 0), {suppressEqual}},
          {down(slash, 10), {A::suppressPhysicalKey(slash), A::insertText("\u00A5")}},
          {down(asterisk, 20), {}},
          {up(equal, 30), {suppressEqual}}}},
        {"auto-repeat of a pending = does not re-arm it",
         slashHack(),
         {{down(equal, 0), {suppressEqual}},
          {down(slash, 10), {A::suppressPhysicalKey(slash), A::insertText("\u00A5")}},
          {down(equal, 500, true), {suppressEqual}},
          {down(equal, 550, true), {suppressEqual}},
          {up(equal, 600), {suppressEqual}}}},
        {"Command held while = is pending: the hack does not fire, the = is typed",
         slashHack(),
         {{down(equal, 0), {suppressEqual}},
          {down(leftCommand(), 10), {A::beginCommandTracking(Side::left)}},
          {down(slash, 20),
           {A::insertText("="), A::useCommandAsModifier(Side::left), A::cancelScheduledInputMode(Side::left)}},
          {up(equal, 30), {}}}},
        {"a fresh = press with Command held ends the combination",
         slashHack(),
         {{down(equal, 0), {suppressEqual}},
          {down(leftCommand(), 10), {A::beginCommandTracking(Side::left)}},
          {down(equal, 20), {A::useCommandAsModifier(Side::left), A::cancelScheduledInputMode(Side::left)}},
          {up(equal, 30), {}}}},
        {"combination off: = passes", noCombo, {{down(equal, 0), {}}, {up(equal, 10), {}}}},
        {"no enabled rule: = passes", noRule, {{down(equal, 0), {}}, {up(equal, 10), {}}}},
        {"rule of another preset: = passes", ruleElsewhere, {{down(equal, 0), {}}, {up(equal, 10), {}}}},
        {"a modifier held: = passes",
         slashHack(),
         {{down(leftOption(), 0), {}}, {down(equal, 10), {}}, {up(equal, 20), {}}}},
        {"= with Command held marks Command as a modifier",
         noCombo,
         {{down(rightCommand(), 0), {A::beginCommandTracking(Side::right)}},
          {down(equal, 10), {A::useCommandAsModifier(Side::right), A::cancelScheduledInputMode(Side::right)}},
          {up(equal, 20), {}},
          {up(rightCommand(), 30), {A::finishCommandTracking(Side::right)}}}},
    };
    for (const auto& c : cases) {
        auto engine = engineWith(c.hacks);
        runScript(engine, c.steps, c.label);
        EXPECT_FALSE(engine.keypadEqualComboIsPending()) << c.label;
    }
}

TEST(RuleEngineKeypad, ResetEndsThePendingEqual) {
    auto engine = engineWith(slashHack());
    engine.handle(down(equal, 0));
    EXPECT_TRUE(engine.keypadEqualComboIsPending());
    engine.resetRuntimeState();
    EXPECT_FALSE(engine.keypadEqualComboIsPending());
    EXPECT_EQ(engine.handle(up(equal, 10)), Actions{});
}

TEST(RuleEngineKeypad, HackFiresOnlyWithItsModifierAlone) {
    KeypadShortcutHackSettings hacks;
    hacks.period.isEnabled = true;
    hacks.period.modifier = CompanionModifier::option;
    const auto fired = Actions{A::suppressPhysicalKey(period), A::insertText(",")};
    struct Case {
        std::string label;
        std::vector<PhysicalKey> held;
        Actions expected;
    };
    const std::vector<Case> cases{
        {"option alone", {leftOption()}, fired},
        {"right option alone", {PhysicalKey::option(ModifierKeySide::right)}, fired},
        {"nothing held", {}, {}},
        {"option and shift", {leftOption(), leftShift()}, {}},
        {"option and control", {leftOption(), leftControl()}, {}},
        {"option and keypad =", {leftOption(), equal}, {}},
        {"shift alone", {leftShift()}, {}},
        {"option and a character", {leftOption(), character("k")}, fired},
        {"option and Command",
         {leftOption(), leftCommand()},
         {A::useCommandAsModifier(Side::left), A::cancelScheduledInputMode(Side::left)}},
    };
    for (const auto& c : cases) {
        auto engine = engineWith(hacks);
        for (const auto& key : c.held) engine.handle(down(key, 0));
        EXPECT_EQ(engine.handle(down(period, 10)), c.expected) << c.label;
        EXPECT_EQ(engine.handle(up(period, 20)), Actions{}) << c.label;
    }
}

TEST(RuleEngineKeypad, OutputTextIsCleanedBeforeTyping) {
    struct Case {
        std::string label;
        std::string text;
        Actions expected;
    };
    const auto suppressHyphen = A::suppressPhysicalKey(PhysicalKey::keypadHyphen());
    const std::vector<Case> cases{
        {"20 characters type their first 16", "abcdefghijklmnopqrst", {suppressHyphen, A::insertText("abcdefghijklmnop")}},
        {"16 characters stay whole", "あいうえおかきくけこさしすせそた", {suppressHyphen, A::insertText("あいうえおかきくけこさしすせそた")}},
        {"newlines at both ends go, spaces stay", "\n\r x \u2028", {suppressHyphen, A::insertText(" x ")}},
        {"only newlines type nothing", "\n\n\r\n", {}},
        {"empty types nothing", "", {}},
    };
    for (const auto& c : cases) {
        KeypadShortcutHackSettings hacks;
        hacks.hyphen.isEnabled = true;
        hacks.hyphen.outputText = c.text; // a direct write stores the text as given
        auto engine = engineWith(hacks);
        engine.handle(down(rightShift(), 0));
        EXPECT_EQ(engine.handle(down(PhysicalKey::keypadHyphen(), 10)), c.expected) << c.label;
    }
}

TEST(RuleEngineKeypad, RulesApplyOnlyInTheirPresets) {
    KeypadShortcutHackSettings hacks;
    hacks.plus.isEnabled = true;
    hacks.plus.outputText = "＋";
    hacks.plus.activePresets = {KeyboardPreset::fullSizeUS};
    auto engine = engineWith(hacks, KeyboardPreset::laptop);
    engine.handle(down(leftShift(), 0));
    EXPECT_EQ(engine.handle(down(PhysicalKey::keypadPlus(), 10)), Actions{});
    engine.setActivePreset(KeyboardPreset::fullSizeUS);
    EXPECT_EQ(engine.handle(down(PhysicalKey::keypadPlus(), 20)),
              (Actions{A::suppressPhysicalKey(PhysicalKey::keypadPlus()), A::insertText("＋")}));
    hacks.plus.activePresets = {};
    auto settings = engine.settings();
    settings.keypadShortcutHacks = hacks;
    engine.setSettings(settings);
    EXPECT_EQ(engine.handle(down(PhysicalKey::keypadPlus(), 30)), Actions{});
}

} // namespace
} // namespace tessaril
