#include <gtest/gtest.h>

#include "TessarilMacTests/Pipeline/KeyboardEventControllerTestHarness.hpp"

namespace tessaril::testing {
namespace {

using Strings = std::vector<std::string>;

TessarilSettings keypadPeriodTypes(const std::string& text) {
    TessarilSettings settings;
    settings.keypadShortcutHacks.period.isEnabled = true;
    settings.keypadShortcutHacks.period.outputText = text;
    return settings;
}

TessarilSettings leftCommandDelayed(std::int64_t milliseconds) {
    TessarilSettings settings;
    settings.profiles.laptop.leftCommandDelayMilliseconds = milliseconds;
    return settings;
}

// Shift down, then the keypad period: its text goes to the main queue.
void typeKeypadPeriod(ControllerHarness& harness, std::int64_t timeMilliseconds) {
    harness.flags(key_code::leftShift, Modifiers::shift(), timeMilliseconds);
    harness.down(key_code::keypadPeriod, Modifiers::shift(), timeMilliseconds + 10);
}

TEST(KeyboardSideEffectDispatchTests, WithoutARequestCallbackTheModeSwitchRunsOnTheMainQueue) {
    ControllerHarness harness(TessarilSettings(), /*withRequestCallback=*/false);
    harness.tapLeftCommand(1000);
    EXPECT_EQ(harness.takeCalls(), Strings{"pointer 0.120"});
    EXPECT_EQ(harness.drainCalls(), Strings{"mode eisu"});

    // A delayed switch ends the same way, once its time has come.
    harness.controller->updateSettings(leftCommandDelayed(300));
    harness.tapLeftCommand(2000);
    harness.scheduler.advanceTo(2120 + 299);
    EXPECT_EQ(harness.takeCalls(), (Strings{"cancelPending", "pointer 0.120"}));
    harness.scheduler.advanceTo(2120 + 300);
    EXPECT_EQ(harness.takeCalls(), Strings{"mode eisu"});
}

// Work decided before a reset or a settings update is void when its turn comes on the main queue.
TEST(KeyboardSideEffectDispatchTests, QueuedTextIsDroppedByAnInterveningVoidingCall) {
    struct Case {
        const char* name;
        std::function<void(KeyboardEventController&)> call;
        Strings expected;
    };
    const Case cases[] = {
        {"nothing", [](KeyboardEventController&) {}, {"text 、"}},
        {"reset", [](KeyboardEventController& c) { c.resetRuntimeState(); }, {"cancelPending"}},
        {"settings", [](KeyboardEventController& c) { c.updateSettings(keypadPeriodTypes("、")); }, {"cancelPending"}},
        {"suspension", [](KeyboardEventController& c) { c.setSuspended(true, "shortcut-capture"); }, {"cancelPending"}},
        {"observed mode", [](KeyboardEventController& c) { c.updateObservedInputMode(InputMode::kana); }, {"text 、"}},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        ControllerHarness harness(keypadPeriodTypes("、"));
        typeKeypadPeriod(harness, 1000);
        testCase.call(*harness.controller);
        EXPECT_EQ(harness.drainCalls(), testCase.expected);
    }
}

TEST(KeyboardSideEffectDispatchTests, TextActionsOfConsecutiveEventsKeepTheirOrder) {
    TessarilSettings settings = keypadPeriodTypes("、");
    settings.keypadShortcutHacks.slash.isEnabled = true;
    settings.keypadShortcutHacks.slash.outputText = "・";
    ControllerHarness harness(settings);
    harness.flags(key_code::leftShift, Modifiers::shift(), 1000);
    harness.runsDueWorkBeforeEachEvent = false;
    harness.down(key_code::keypadPeriod, Modifiers::shift(), 1010);
    harness.down(75, Modifiers::shift(), 1010);  // keypad slash
    harness.down(key_code::keypadPeriod, Modifiers::shift(), 1010);
    EXPECT_EQ(harness.scheduler.pendingCount(), 3u);  // one block per engine call
    EXPECT_EQ(harness.drainCalls(), (Strings{"text 、", "text ・", "text 、"}));
}

TEST(KeyboardSideEffectDispatchTests, StalenessCheckOfARequestFollowsTheGeneration) {
    ControllerHarness harness;
    harness.tapLeftCommand(1000);
    harness.tapLeftCommand(2000);
    ASSERT_EQ(harness.requestChecks.size(), 2u);
    EXPECT_TRUE(harness.requestChecks[0]());
    harness.controller->updateObservedInputMode(InputMode::eisu);
    EXPECT_TRUE(harness.requestChecks[1]());
    harness.controller->resetRuntimeState();
    EXPECT_FALSE(harness.requestChecks[0]());
    EXPECT_FALSE(harness.requestChecks[1]());

    harness.tapLeftCommand(3000);
    ASSERT_EQ(harness.requestChecks.size(), 3u);
    EXPECT_TRUE(harness.requestChecks[2]());
    harness.controller.reset();
    EXPECT_FALSE(harness.requestChecks[2]());
}

TEST(KeyboardSideEffectDispatchTests, ANewerDelayedSwitchOfTheSameSideReplacesTheOlder) {
    ControllerHarness harness(leftCommandDelayed(300));
    harness.tapLeftCommand(1000, 50);  // due at 1350
    harness.tapLeftCommand(1100, 50);  // due at 1450
    harness.scheduler.advanceTo(1449);
    EXPECT_EQ(harness.takeCalls(), (Strings{"pointer 0.050", "pointer 0.050"}));
    harness.scheduler.advanceTo(2000);
    EXPECT_EQ(harness.takeCalls(), Strings{"request eisu"});
}

TEST(KeyboardSideEffectDispatchTests, AKeyDuringTheDelayDoesNotCancelTheOtherSide) {
    TessarilSettings settings = leftCommandDelayed(300);
    settings.profiles.laptop.rightCommandDelayMilliseconds = 300;
    ControllerHarness harness(settings);
    harness.tapLeftCommand(1000, 50);  // left due at 1350
    harness.flags(key_code::rightCommand, Modifiers::command(), 1100);
    harness.down(key_code::c, Modifiers::command(), 1150);  // cancels only the held right side
    harness.flags(key_code::rightCommand, noModifiers, 1200);
    harness.scheduler.advanceTo(2000);
    EXPECT_EQ(harness.takeCalls(), (Strings{"pointer 0.050", "pointer 0.100", "request eisu"}));
}

TEST(KeyboardSideEffectDispatchTests, ActionsWithoutMainThreadEffectQueueNoBlock) {
    ControllerHarness harness;
    harness.flags(key_code::leftCommand, Modifiers::command(), 1000);  // beginCommandTracking
    EXPECT_EQ(harness.scheduler.pendingCount(), 0u);
    harness.down(key_code::c, Modifiers::command(), 1100);  // useCommandAsModifier, cancel, allowShortcut
    EXPECT_EQ(harness.scheduler.pendingCount(), 1u);
    harness.scheduler.runUntilIdle();
    harness.down(key_code::c, Modifiers::command(), 1200);  // allowShortcut alone
    harness.flags(key_code::leftCommand, noModifiers, 1300);  // finishCommandTracking alone
    EXPECT_EQ(harness.scheduler.pendingCount(), 0u);
    EXPECT_EQ(harness.takeCalls(), Strings{"pointer 0.300"});
}

TEST(KeyboardSideEffectDispatchTests, ReleasedControllerLeavesQueuedWorkUndone) {
    TessarilSettings settings = keypadPeriodTypes("、");
    settings.profiles.laptop.leftCommandDelayMilliseconds = 300;
    ControllerHarness harness(settings);
    harness.tapLeftCommand(1000);  // delayed switch due at 1420
    harness.scheduler.runUntilIdle();
    typeKeypadPeriod(harness, 1200);  // text queued
    harness.takeCalls();
    harness.controller.reset();
    harness.scheduler.advanceTo(3000);
    EXPECT_EQ(harness.takeCalls(), Strings{});
}

// Shift caught on the way to Command, released within the grace window: the modified press (katakana)
// becomes a plain one (eisu), and the correction is logged from the main queue.
TEST(KeyboardSideEffectDispatchTests, GraceCorrectionIsLoggedAndItsSwitchFollows) {
    for (bool voidedBeforeTheQueueRuns : {false, true}) {
        SCOPED_TRACE(voidedBeforeTheQueueRuns);
        TessarilSettings settings;
        settings.profiles.laptop.leftModifiedCommandAction = ModifiedCommandAction::katakana;
        settings.profiles.laptop.tracksCommandChords = false;
        settings.profiles.laptop.leftCommandDelayMilliseconds = 200;
        ControllerHarness harness(settings);
        harness.flags(key_code::leftShift, Modifiers::shift(), 1000);
        harness.flags(key_code::leftCommand, Modifiers{Modifiers::command(), Modifiers::shift()}, 1010);
        EXPECT_EQ(harness.takeCalls(), Strings{"request katakana"});
        harness.flags(key_code::leftShift, Modifiers::command(), 1030);
        if (voidedBeforeTheQueueRuns) harness.controller->updateSettings(settings);
        harness.scheduler.advanceTo(2000);
        Strings expectedCalls{"request eisu"};
        Strings expectedLog{"modifier grace correction side=left companion=shift from=katakana to=eisu overlapMs=20"};
        if (voidedBeforeTheQueueRuns) {
            expectedCalls = {"cancelPending"};
            expectedLog = {};
        }
        EXPECT_EQ(harness.takeCalls(), expectedCalls);
        EXPECT_EQ(harness.keyboardLog(), expectedLog);
    }
}

} // namespace
} // namespace tessaril::testing
