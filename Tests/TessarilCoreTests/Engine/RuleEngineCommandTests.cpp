#include "TessarilCoreTests/Engine/RuleEngineTests.hpp"

#include <limits>

namespace tessaril {
namespace {

using namespace engine_test;

RuleEngine engineWith(RuleEngineSettings settings) {
    return RuleEngine(std::move(settings), WritingAssistSettings(), TextToolSettings(), FixedPhraseAssistSettings(),
                      KeyboardPreset::laptop);
}

RuleEngineSettings untracked() {
    RuleEngineSettings settings;
    settings.tracksCommandChords = false;
    return settings;
}

TEST(RuleEngineCommand, TapsHoldsAndChordsWithChordTracking) {
    struct Case {
        std::string label;
        std::vector<ScriptStep> steps;
    };
    const std::vector<Case> cases{
        {"left tap",
         {{down(leftCommand(), 0), {A::beginCommandTracking(Side::left)}},
          {up(leftCommand(), 120), {A::finishCommandTracking(Side::left), A::setInputMode(InputMode::eisu)}}}},
        {"right tap",
         {{down(rightCommand(), 0), {A::beginCommandTracking(Side::right)}},
          {up(rightCommand(), 120), {A::finishCommandTracking(Side::right), A::setInputMode(InputMode::kana)}}}},
        {"held exactly 1000 ms still switches",
         {{down(leftCommand(), 5000), {A::beginCommandTracking(Side::left)}},
          {up(leftCommand(), 6000), {A::finishCommandTracking(Side::left), A::setInputMode(InputMode::eisu)}}}},
        {"held 1001 ms is no tap",
         {{down(leftCommand(), 5000), {A::beginCommandTracking(Side::left)}},
          {up(leftCommand(), 6001), {A::finishCommandTracking(Side::left)}}}},
        {"a repeated down restarts the hold",
         {{down(leftCommand(), 0), {A::beginCommandTracking(Side::left)}},
          {down(leftCommand(), 900, true), {A::beginCommandTracking(Side::left)}},
          {up(leftCommand(), 1800), {A::finishCommandTracking(Side::left), A::setInputMode(InputMode::eisu)}}}},
        {"a chord keeps Command a modifier",
         {{down(leftCommand(), 0), {A::beginCommandTracking(Side::left)}},
          {down(character("c"), 30), {A::useCommandAsModifier(Side::left), A::cancelScheduledInputMode(Side::left)}},
          {up(character("c"), 60), {}},
          {up(leftCommand(), 90), {A::finishCommandTracking(Side::left)}}}},
        {"both Commands held, then two characters",
         {{down(leftCommand(), 0), {A::beginCommandTracking(Side::left)}},
          {down(rightCommand(), 10), {A::beginCommandTracking(Side::right)}},
          {down(character("x"), 20),
           {A::useCommandAsModifier(Side::left), A::cancelScheduledInputMode(Side::left),
            A::useCommandAsModifier(Side::right), A::cancelScheduledInputMode(Side::right)}},
          {down(character("y"), 30), {}},
          {up(rightCommand(), 40), {A::finishCommandTracking(Side::right)}},
          {up(leftCommand(), 50), {A::finishCommandTracking(Side::left)}}}},
        {"the used mark ends with the release",
         {{down(leftCommand(), 0), {A::beginCommandTracking(Side::left)}},
          {down(character("c"), 10), {A::useCommandAsModifier(Side::left), A::cancelScheduledInputMode(Side::left)}},
          {up(leftCommand(), 20), {A::finishCommandTracking(Side::left)}},
          {down(leftCommand(), 100), {A::beginCommandTracking(Side::left)}},
          {up(leftCommand(), 150), {A::finishCommandTracking(Side::left), A::setInputMode(InputMode::eisu)}}}},
        {"modifier keys do not make Command a modifier",
         {{down(leftCommand(), 0), {A::beginCommandTracking(Side::left)}},
          {down(leftShift(), 10), {}},
          {down(leftOption(), 20), {}},
          {down(leftControl(), 25), {}},
          {up(leftShift(), 30), {}},
          {up(leftCommand(), 40), {A::finishCommandTracking(Side::left), A::setInputMode(InputMode::eisu)}}}},
        {"a release without a press",
         {{up(leftCommand(), 10), {A::finishCommandTracking(Side::left)}}}},
        {"a character released without a press",
         {{up(character("q"), 10), {}}}},
    };
    for (const auto& c : cases) {
        RuleEngine engine;
        runScript(engine, c.steps, c.label);
    }
}

TEST(RuleEngineCommand, ActionsDelaysAndCompanionsBySettings) {
    struct Case {
        std::string label;
        RuleEngineSettings settings;
        std::vector<ScriptStep> steps;
    };
    auto with = [](auto change) {
        RuleEngineSettings settings;
        change(settings);
        return settings;
    };
    const std::vector<Case> cases{
        {"disabled with tracking",
         with([](auto& s) { s.leftCommandAction = CommandKeyAction::disabled; }),
         {{down(leftCommand(), 0), {}}, {up(leftCommand(), 50), {A::finishCommandTracking(Side::left)}}}},
        {"disabled without tracking",
         with([](auto& s) {
             s.leftCommandAction = CommandKeyAction::disabled;
             s.tracksCommandChords = false;
         }),
         {{down(leftCommand(), 0), {}}, {up(leftCommand(), 50), {}}}},
        {"explicit mode ignores the side",
         with([](auto& s) { s.rightCommandAction = CommandKeyAction::katakana; }),
         {{down(rightCommand(), 0), {A::beginCommandTracking(Side::right)}},
          {up(rightCommand(), 50), {A::finishCommandTracking(Side::right), A::setInputMode(InputMode::katakana)}}}},
        {"plain delay with tracking schedules on release",
         with([](auto& s) { s.leftCommandDelayMilliseconds = 120; }),
         {{down(leftCommand(), 0), {A::beginCommandTracking(Side::left)}},
          {up(leftCommand(), 50),
           {A::finishCommandTracking(Side::left), A::scheduleInputMode(InputMode::eisu, 120, Side::left)}}}},
        {"without tracking the switch happens on the down",
         with([](auto& s) {
             s.tracksCommandChords = false;
             s.leftCommandDelayMilliseconds = 300;
         }),
         {{down(leftCommand(), 10000), {A::scheduleInputMode(InputMode::eisu, 300, Side::left)}},
          {down(character("c"), 10010), {}},
          {up(leftCommand(), 10020), {}}}},
        {"modified press with the companion held",
         with([](auto& s) { s.leftModifiedCommandAction = ModifiedCommandAction::standard; }),
         {{down(rightShift(), 0), {}},
          {down(leftCommand(), 100), {A::beginCommandTracking(Side::left)}},
          {up(leftCommand(), 300), {A::finishCommandTracking(Side::left), A::setInputMode(InputMode::kana)}}}},
        {"another companion does not count",
         with([](auto& s) {
             s.rightModifiedCommandAction = ModifiedCommandAction::halfWidthKatakana;
             s.rightCommandCompanionModifier = CompanionModifier::option;
         }),
         {{down(leftShift(), 0), {}},
          {down(rightCommand(), 100), {A::beginCommandTracking(Side::right)}},
          {up(rightCommand(), 200), {A::finishCommandTracking(Side::right), A::setInputMode(InputMode::kana)}},
          {down(leftOption(), 300), {}},
          {down(rightCommand(), 400), {A::beginCommandTracking(Side::right)}},
          {up(rightCommand(), 500),
           {A::finishCommandTracking(Side::right), A::setInputMode(InputMode::halfWidthKatakana)}}}},
        {"modified press without tracking, with its own delay",
         with([](auto& s) {
             s.tracksCommandChords = false;
             s.rightModifiedCommandAction = ModifiedCommandAction::standard;
             s.rightModifiedCommandDelayMilliseconds = 250;
             s.rightCommandDelayMilliseconds = 40;
         }),
         {{down(leftShift(), 0), {}},
          {down(rightCommand(), 100), {A::scheduleInputMode(InputMode::eisu, 250, Side::right)}},
          {up(leftShift(), 500), {}},
          {up(rightCommand(), 600), {}},
          {down(rightCommand(), 700), {A::scheduleInputMode(InputMode::kana, 40, Side::right)}}}},
        {"modified action with the plain one disabled",
         with([](auto& s) {
             s.leftCommandAction = CommandKeyAction::disabled;
             s.leftModifiedCommandAction = ModifiedCommandAction::fullWidthRoman;
         }),
         {{down(leftCommand(), 0), {}},
          {up(leftCommand(), 10), {A::finishCommandTracking(Side::left)}},
          {down(leftShift(), 20), {}},
          {down(leftCommand(), 30), {A::beginCommandTracking(Side::left)}},
          {up(leftCommand(), 40),
           {A::finishCommandTracking(Side::left), A::setInputMode(InputMode::fullWidthRoman)}}}},
        {"held Command without a mode is still marked as a modifier",
         with([](auto& s) { s.leftCommandAction = CommandKeyAction::disabled; }),
         {{down(leftCommand(), 0), {}},
          {down(character("v"), 10), {A::useCommandAsModifier(Side::left), A::cancelScheduledInputMode(Side::left)}},
          {up(leftCommand(), 20), {A::finishCommandTracking(Side::left)}}}},
    };
    for (const auto& c : cases) {
        auto engine = engineWith(c.settings);
        runScript(engine, c.steps, c.label);
    }
}

TEST(RuleEngineCommand, RequestedModeWindowAndObservedMode) {
    auto engine = engineWith([] {
        auto settings = untracked();
        settings.leftCommandDelayMilliseconds = 300;
        return settings;
    }());
    engine.setObservedInputMode(InputMode::kana);
    EXPECT_EQ(engine.handle(down(leftCommand(), 10000)), (Actions{A::scheduleInputMode(InputMode::eisu, 300, Side::left)}));
    EXPECT_EQ(engine.requestedInputMode(),
              (RuleEngine::RequestedInputMode{InputMode::eisu, Side::left, true, 10300, 10700}));
    const std::vector<std::pair<std::int64_t, std::optional<InputMode>>> probes{
        {10299, InputMode::kana}, {10300, InputMode::eisu}, {10700, InputMode::eisu}, {10701, InputMode::kana}};
    for (const auto& [time, expected] : probes) EXPECT_EQ(engine.assistInputMode(time), expected) << time;

    // Another mode, or none, leaves the request in place; the mode it asked for ends it.
    engine.setObservedInputMode(InputMode::katakana);
    EXPECT_EQ(engine.assistInputMode(10500), InputMode::eisu);
    engine.setObservedInputMode(std::nullopt);
    EXPECT_EQ(engine.assistInputMode(10500), InputMode::eisu);
    EXPECT_EQ(engine.currentInputMode(), std::nullopt);
    engine.setObservedInputMode(InputMode::eisu);
    EXPECT_EQ(engine.requestedInputMode(), std::nullopt);
    EXPECT_EQ(engine.assistInputMode(10500), InputMode::eisu);
    engine.setObservedInputMode(InputMode::kana);
    EXPECT_EQ(engine.assistInputMode(10500), InputMode::kana);
}

TEST(RuleEngineCommand, ImmediateSwitchRequestsFromItsOwnTime) {
    RuleEngine engine;
    engine.handle(down(rightCommand(), 2000));
    engine.handle(up(rightCommand(), 2100));
    EXPECT_EQ(engine.requestedInputMode(), (RuleEngine::RequestedInputMode{InputMode::kana, Side::right, false, 2100, 2500}));
    // An expired request is not cleared; it only stops counting.
    EXPECT_EQ(engine.assistInputMode(2501), std::nullopt);
    EXPECT_TRUE(engine.requestedInputMode().has_value());
}

TEST(RuleEngineCommand, UseAsModifierDropsOnlyThatSidesScheduledRequest) {
    auto settings = RuleEngineSettings();
    settings.leftCommandDelayMilliseconds = 200;
    auto engine = engineWith(settings);
    runScript(engine, {{down(leftCommand(), 0), {A::beginCommandTracking(Side::left)}},
                       {up(leftCommand(), 50),
                        {A::finishCommandTracking(Side::left), A::scheduleInputMode(InputMode::eisu, 200, Side::left)}},
                       {down(rightCommand(), 60), {A::beginCommandTracking(Side::right)}},
                       {down(character("a"), 70), {A::useCommandAsModifier(Side::right), A::cancelScheduledInputMode(Side::right)}}});
    EXPECT_TRUE(engine.requestedInputMode().has_value()) << "the request belongs to the left side";
    runScript(engine, {{down(leftCommand(), 80), {A::beginCommandTracking(Side::left)}},
                       {down(character("b"), 90), {A::useCommandAsModifier(Side::left), A::cancelScheduledInputMode(Side::left)}}});
    EXPECT_EQ(engine.requestedInputMode(), std::nullopt);
}

TEST(RuleEngineCommand, CallerNotesOtherKeysOnlyWhileTracking) {
    RuleEngine engine;
    EXPECT_EQ(engine.noteNonModifierKeyDown(), Actions{});
    engine.handle(down(rightCommand(), 0));
    EXPECT_EQ(engine.noteNonModifierKeyDown(),
              (Actions{A::useCommandAsModifier(Side::right), A::cancelScheduledInputMode(Side::right)}));
    EXPECT_EQ(engine.noteNonModifierKeyDown(), Actions{});
    EXPECT_EQ(engine.handle(up(rightCommand(), 50)), Actions{A::finishCommandTracking(Side::right)});

    auto untrackedEngine = engineWith(untracked());
    untrackedEngine.handle(down(leftCommand(), 0));
    EXPECT_EQ(untrackedEngine.noteNonModifierKeyDown(), Actions{});
    EXPECT_TRUE(untrackedEngine.commandKeysUsedAsModifier().empty());
}

TEST(RuleEngineCommand, SecondCommandInheritsTheModeBeforeTheFirst) {
    RuleEngine engine;
    engine.setObservedInputMode(InputMode::kana);
    engine.handle(down(leftCommand(), 0));
    engine.setObservedInputMode(InputMode::eisu);
    engine.handle(down(rightCommand(), 10));
    ASSERT_TRUE(engine.commandTrackingState(Side::right).has_value());
    EXPECT_EQ(engine.commandTrackingState(Side::right)->previousInputMode, InputMode::kana);
    EXPECT_EQ(engine.commandTrackingState(Side::left),
              (RuleEngine::CommandTrackingState{InputMode::kana, InputMode::eisu, 0, 0}));
}

TEST(RuleEngineCommand, ResetForgetsRuntimeStateButKeepsModeAndConfiguration) {
    auto settings = RuleEngineSettings();
    settings.rightCommandDelayMilliseconds = 500;
    auto engine = engineWith(settings);
    engine.setObservedInputMode(InputMode::katakana);
    engine.handle(down(rightCommand(), 0));
    engine.handle(down(character("a"), 10));
    engine.handle(down(leftCommand(), 20));
    engine.resetRuntimeState();
    EXPECT_TRUE(engine.heldKeys().empty());
    EXPECT_TRUE(engine.commandKeysUsedAsModifier().empty());
    EXPECT_FALSE(engine.commandTrackingState(Side::left).has_value());
    EXPECT_FALSE(engine.commandTrackingState(Side::right).has_value());
    EXPECT_EQ(engine.currentInputMode(), InputMode::katakana);
    EXPECT_EQ(engine.settings().rightCommandDelayMilliseconds, 500);
    // The release of a key pressed before the reset is absorbed; the next tap switches as usual.
    EXPECT_EQ(engine.handle(up(rightCommand(), 30)), Actions{A::finishCommandTracking(Side::right)});
    engine.handle(down(rightCommand(), 40));
    EXPECT_EQ(engine.handle(up(rightCommand(), 60)),
              (Actions{A::finishCommandTracking(Side::right), A::scheduleInputMode(InputMode::kana, 500, Side::right)}));
}

TEST(RuleEngineCommand, HeldKeysFollowDownsAndUps) {
    RuleEngine engine;
    engine.handle(down(character("a"), 0));
    engine.handle(down(leftShift(), 1));
    engine.handle(down(character("a"), 2, true));
    engine.handle(down(PhysicalKey::keypadPlus(), 3));
    EXPECT_EQ(engine.heldKeys(), (std::vector<PhysicalKey>{leftShift(), PhysicalKey::keypadPlus(), character("a")}));
    engine.handle(up(character("a"), 4));
    engine.handle(up(leftShift(), 5));
    EXPECT_EQ(engine.heldKeys(), (std::vector<PhysicalKey>{PhysicalKey::keypadPlus()}));
}

TEST(RuleEngineCommand, ExtremeTimesSaturate) {
    constexpr auto maximum = std::numeric_limits<std::int64_t>::max();
    constexpr auto minimum = std::numeric_limits<std::int64_t>::min();
    auto settings = untracked();
    settings.leftCommandDelayMilliseconds = 2000;
    auto engine = engineWith(settings);
    EXPECT_EQ(engine.handle(down(leftCommand(), maximum - 100)),
              (Actions{A::scheduleInputMode(InputMode::eisu, 2000, Side::left)}));
    EXPECT_EQ(engine.requestedInputMode(),
              (RuleEngine::RequestedInputMode{InputMode::eisu, Side::left, true, maximum, maximum}));
    EXPECT_EQ(engine.assistInputMode(maximum), InputMode::eisu);

    // A hold measured across the whole range is far longer than a tap.
    RuleEngine tracked;
    tracked.handle(down(rightCommand(), minimum));
    EXPECT_EQ(tracked.handle(up(rightCommand(), maximum)), Actions{A::finishCommandTracking(Side::right)});
}

} // namespace
} // namespace tessaril
