#include "TessarilCoreTests/Engine/RuleEngineTests.hpp"

namespace tessaril {
namespace {

using namespace engine_test;

// Left Command: plain eisu, modified kana with Shift; right Command: plain kana, modified eisu with Shift.
RuleEngineSettings modifiedSettings(bool tracksCommandChords, std::int64_t modifiedDelay = 0, std::int64_t plainDelay = 0) {
    RuleEngineSettings settings;
    settings.leftModifiedCommandAction = ModifiedCommandAction::standard;
    settings.rightModifiedCommandAction = ModifiedCommandAction::standard;
    settings.tracksCommandChords = tracksCommandChords;
    settings.leftModifiedCommandDelayMilliseconds = modifiedDelay;
    settings.leftCommandDelayMilliseconds = plainDelay;
    return settings;
}

RuleEngine engineWith(RuleEngineSettings settings) {
    RuleEngine engine;
    engine.setSettings(std::move(settings));
    return engine;
}

TEST(RuleEngineGrace, CompanionReleasedWithinTheWindowMakesAPlainPress) {
    struct Case {
        std::string label;
        RuleEngineSettings settings;
        std::vector<ScriptStep> steps;
    };
    const auto correction = [](std::int64_t overlap) {
        return A::recordModifierGraceCorrection(Side::left, CompanionModifier::shift, InputMode::kana, InputMode::eisu, overlap);
    };
    auto windowOff = modifiedSettings(true);
    windowOff.modifierGraceWindowMilliseconds = 0;
    auto optionCompanion = modifiedSettings(true);
    optionCompanion.leftCommandCompanionModifier = CompanionModifier::option;
    const std::vector<Case> cases{
        {"tracked: released after 30 ms, the release switches to the single mode",
         modifiedSettings(true),
         {{down(leftShift(), 900), {}},
          {down(leftCommand(), 1000), {A::beginCommandTracking(Side::left)}},
          {up(leftShift(), 1030), {correction(30)}},
          {up(leftCommand(), 1100), {A::finishCommandTracking(Side::left), A::setInputMode(InputMode::eisu)}}}},
        {"tracked: released at exactly the window",
         modifiedSettings(true),
         {{down(leftShift(), 900), {}},
          {down(leftCommand(), 1000), {A::beginCommandTracking(Side::left)}},
          {up(leftShift(), 1050), {correction(50)}},
          {up(leftCommand(), 1100), {A::finishCommandTracking(Side::left), A::setInputMode(InputMode::eisu)}}}},
        {"tracked: released after 60 ms keeps the modified mode",
         modifiedSettings(true),
         {{down(leftShift(), 900), {}},
          {down(leftCommand(), 1000), {A::beginCommandTracking(Side::left)}},
          {up(leftShift(), 1060), {}},
          {up(leftCommand(), 1100), {A::finishCommandTracking(Side::left), A::setInputMode(InputMode::kana)}}}},
        {"untracked with delays: the overlap counts against the single delay",
         modifiedSettings(false, 200, 100),
         {{down(leftShift(), 900), {}},
          {down(leftCommand(), 1000), {A::scheduleInputMode(InputMode::kana, 200, Side::left)}},
          {up(leftShift(), 1030),
           {A::cancelScheduledInputMode(Side::left), A::scheduleInputMode(InputMode::eisu, 70, Side::left), correction(30)}},
          {up(leftCommand(), 1100), {}}}},
        {"untracked without delays: switch at once, nothing to cancel",
         modifiedSettings(false),
         {{down(leftShift(), 900), {}},
          {down(leftCommand(), 1000), {A::setInputMode(InputMode::kana)}},
          {up(leftShift(), 1020), {A::setInputMode(InputMode::eisu), correction(20)}}}},
        {"untracked: an overlap longer than the single delay switches at once",
         modifiedSettings(false, 0, 20),
         {{down(leftShift(), 900), {}},
          {down(leftCommand(), 1000), {A::setInputMode(InputMode::kana)}},
          {up(leftShift(), 1030), {A::setInputMode(InputMode::eisu), correction(30)}}}},
        {"window 0 turns the correction off",
         windowOff,
         {{down(leftShift(), 900), {}},
          {down(leftCommand(), 1000), {A::beginCommandTracking(Side::left)}},
          {up(leftShift(), 1010), {}},
          {up(leftCommand(), 1100), {A::finishCommandTracking(Side::left), A::setInputMode(InputMode::kana)}}}},
        {"another modifier's release leaves the record in place",
         modifiedSettings(true),
         {{down(leftShift(), 900), {}},
          {down(leftOption(), 950), {}},
          {down(leftCommand(), 1000), {A::beginCommandTracking(Side::left)}},
          {up(leftOption(), 1010), {}},
          {up(leftShift(), 1020), {correction(20)}}}},
        {"the Command used as a modifier ends the record",
         modifiedSettings(true),
         {{down(leftShift(), 900), {}},
          {down(leftCommand(), 1000), {A::beginCommandTracking(Side::left)}},
          {down(character("z"), 1010), {A::useCommandAsModifier(Side::left), A::cancelScheduledInputMode(Side::left)}},
          {up(leftShift(), 1020), {}},
          {up(leftCommand(), 1030), {A::finishCommandTracking(Side::left)}}}},
        {"the Command release ends the record",
         modifiedSettings(true),
         {{down(leftShift(), 900), {}},
          {down(leftCommand(), 1000), {A::beginCommandTracking(Side::left)}},
          {up(leftCommand(), 1010), {A::finishCommandTracking(Side::left), A::setInputMode(InputMode::kana)}},
          {up(leftShift(), 1020), {}}}},
        {"a release stamped before the Command down corrects nothing",
         modifiedSettings(true),
         {{down(leftShift(), 900), {}},
          {down(leftCommand(), 1000), {A::beginCommandTracking(Side::left)}},
          {up(leftShift(), 990), {}},
          {up(leftCommand(), 1100), {A::finishCommandTracking(Side::left), A::setInputMode(InputMode::kana)}}}},
        {"the companion of the record must be the released modifier",
         optionCompanion,
         {{down(leftOption(), 900), {}},
          {down(leftShift(), 950), {}},
          {down(leftCommand(), 1000), {A::beginCommandTracking(Side::left)}},
          {up(leftShift(), 1010), {}},
          {up(leftOption(), 1020),
           {A::recordModifierGraceCorrection(Side::left, CompanionModifier::option, InputMode::kana, InputMode::eisu, 20)}}}},
        {"both sides are corrected, left first",
         modifiedSettings(true),
         {{down(leftShift(), 900), {}},
          {down(rightCommand(), 1000), {A::beginCommandTracking(Side::right)}},
          {down(leftCommand(), 1010), {A::beginCommandTracking(Side::left)}},
          {up(leftShift(), 1040),
           {correction(30),
            A::recordModifierGraceCorrection(Side::right, CompanionModifier::shift, InputMode::eisu, InputMode::kana, 40)}}}},
    };
    for (const auto& c : cases) {
        auto engine = engineWith(c.settings);
        runScript(engine, c.steps, c.label);
    }
}

TEST(RuleEngineGrace, RecordsExpireOnTheFirstLaterEventOutsideTheWindow) {
    auto engine = engineWith(modifiedSettings(true));
    engine.setObservedInputMode(InputMode::katakana);
    engine.handle(down(leftShift(), 900));
    engine.handle(down(leftCommand(), 1000));
    EXPECT_EQ(engine.pendingModifierGraceCorrection(Side::left),
              (RuleEngine::PendingModifierGraceCorrection{Side::left, CompanionModifier::shift, InputMode::kana, InputMode::eisu,
                                                          InputMode::katakana, 1000, 0, 0}));
    engine.handle(down(leftOption(), 1050));
    EXPECT_TRUE(engine.pendingModifierGraceCorrection(Side::left).has_value());
    engine.handle(down(leftControl(), 1051));
    EXPECT_FALSE(engine.pendingModifierGraceCorrection(Side::left).has_value());
}

TEST(RuleEngineGrace, UntrackedCorrectionWithCommandHeldKeepsAPlainTrackingState) {
    auto engine = engineWith(modifiedSettings(false, 0, 10));
    engine.setObservedInputMode(InputMode::eisu);
    engine.handle(down(leftShift(), 0));
    engine.handle(down(leftCommand(), 100));
    engine.handle(up(leftShift(), 120));
    EXPECT_EQ(engine.commandTrackingState(Side::left),
              (RuleEngine::CommandTrackingState{InputMode::eisu, InputMode::eisu, 10, 100}));
    EXPECT_EQ(engine.requestedInputMode(), (RuleEngine::RequestedInputMode{InputMode::eisu, Side::left, false, 120, 520}));
    // Chord tracking is off, so the release switches nothing and drops the state.
    EXPECT_EQ(engine.handle(up(leftCommand(), 200)), Actions{});
    EXPECT_FALSE(engine.commandTrackingState(Side::left).has_value());
}

} // namespace
} // namespace tessaril
