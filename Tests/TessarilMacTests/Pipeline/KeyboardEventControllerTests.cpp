#include <gtest/gtest.h>

#include <functional>

#include "TessarilMacTests/Pipeline/KeyboardEventControllerTestHarness.hpp"

namespace tessaril::testing {
namespace {

using Strings = std::vector<std::string>;
constexpr auto pass = KeyboardInputDecision::passThrough;
constexpr auto suppress = KeyboardInputDecision::suppress;

TessarilSettings settingsWith(const std::function<void(TessarilSettings&)>& edit) {
    TessarilSettings settings;
    edit(settings);
    return settings;
}

TEST(KeyboardEventControllerTests, CommandTapSwitchesThroughTheRequestBeforeTheAnswer) {
    struct Case {
        const char* name;
        std::uint16_t keyCode;
        std::int64_t delayMilliseconds;
        Strings atRelease;
        Strings afterDelay;
    };
    const Case cases[] = {
        {"left, immediate", key_code::leftCommand, 0, {"pointer 0.120", "request eisu"}, {}},
        {"right, immediate", key_code::rightCommand, 0, {"pointer 0.120", "request kana"}, {}},
        {"left, delayed", key_code::leftCommand, 300, {"pointer 0.120"}, {"request eisu"}},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        ControllerHarness harness(settingsWith([&](TessarilSettings& settings) {
            settings.profiles.laptop.leftCommandDelayMilliseconds = testCase.delayMilliseconds;
        }));
        EXPECT_EQ(harness.flags(testCase.keyCode, Modifiers::command(), 1000), pass);
        EXPECT_EQ(harness.takeCalls(), Strings{});
        EXPECT_EQ(harness.flags(testCase.keyCode, noModifiers, 1120), pass);
        // Read before the main queue runs: the immediate switch is made on the tap thread.
        EXPECT_EQ(harness.takeCalls(), testCase.atRelease);
        harness.scheduler.advanceTo(1120 + 299);
        EXPECT_EQ(harness.takeCalls(), Strings{});
        harness.scheduler.advanceTo(1120 + 300);
        EXPECT_EQ(harness.takeCalls(), testCase.afterDelay);
    }
}

// A key between Command's down and up turns the Command into a modifier, unless it is one of the keys
// the controller passes untouched.
TEST(KeyboardEventControllerTests, KeysDuringACommandTap) {
    struct Case {
        const char* name;
        std::uint16_t keyCode;
        bool isSynthetic;
        Strings atRelease;
    };
    const Case cases[] = {
        {"synthetic key", key_code::c, true, {"pointer 0.200", "request eisu"}},
        {"JIS kana key", key_code::jisKana, false, {"pointer 0.200", "request eisu"}},
        {"JIS eisu key", key_code::jisEisu, false, {"pointer 0.200", "request eisu"}},
        {"character key", key_code::c, false, {"pointer 0.200"}},
        {"unmapped key (Return)", key_code::returnKey, false, {"pointer 0.200"}},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        ControllerHarness harness;
        harness.flags(key_code::leftCommand, Modifiers::command(), 1000);
        EXPECT_EQ(harness.down(testCase.keyCode, Modifiers::command(), 1050, 40, testCase.isSynthetic), pass);
        EXPECT_EQ(harness.up(testCase.keyCode, Modifiers::command(), 1100), pass);
        harness.drainCalls();
        harness.flags(key_code::leftCommand, noModifiers, 1200);
        EXPECT_EQ(harness.drainCalls(), testCase.atRelease);
    }
}

TEST(KeyboardEventControllerTests, PointerButtonDuringCommandMakesItAModifier) {
    for (bool pointerPressed : {false, true}) {
        SCOPED_TRACE(pointerPressed);
        ControllerHarness harness;
        harness.pointerButtonAnswer = pointerPressed;
        harness.tapLeftCommand(2000, 250);
        Strings expected{"pointer 0.250"};
        if (!pointerPressed) expected.push_back("request eisu");
        EXPECT_EQ(harness.drainCalls(), expected);
    }
}

TEST(KeyboardEventControllerTests, CommandReleaseWithoutRecordedDownAsksNoPointerQuestion) {
    ControllerHarness harness;
    harness.flags(key_code::leftCommand, Modifiers::command(), 1000);
    harness.controller->resetRuntimeState();
    harness.flags(key_code::leftCommand, noModifiers, 1100);
    EXPECT_EQ(harness.drainCalls(), Strings{"cancelPending"});
}

TEST(KeyboardEventControllerTests, SuspensionPassesEverythingAndResetsOnEachChange) {
    ControllerHarness harness;
    harness.flags(key_code::leftCommand, Modifiers::command(), 1000);
    harness.controller->setSuspended(true, "shortcut-capture");
    harness.controller->setSuspended(true, "shortcut-capture");
    EXPECT_TRUE(harness.controller->isSuspended());
    EXPECT_EQ(harness.drainCalls(), Strings{"cancelPending"});

    // A tap while suspended changes nothing.
    harness.tapLeftCommand(1200);
    EXPECT_EQ(harness.down(key_code::keypadPeriod, Modifiers::shift(), 1400), pass);
    EXPECT_EQ(harness.drainCalls(), Strings{});

    // The Command held before the suspension is forgotten when it ends.
    harness.flags(key_code::leftCommand, Modifiers::command(), 1500);
    harness.controller->setSuspended(false, "settings-window-close");
    harness.flags(key_code::leftCommand, noModifiers, 1600);
    EXPECT_EQ(harness.drainCalls(), Strings{"cancelPending"});
    EXPECT_EQ(harness.keyboardLog(),
              (Strings{"keyboard event controller suspension changed isSuspended=true reason=shortcut-capture",
                       "keyboard event controller suspension changed isSuspended=false reason=settings-window-close"}));

    harness.tapLeftCommand(2000);
    EXPECT_EQ(harness.drainCalls(), (Strings{"pointer 0.120", "request eisu"}));
}

TEST(KeyboardEventControllerTests, AnotherKeyboardResetsBeforeItsFirstEvent) {
    ControllerHarness harness;
    EXPECT_EQ(harness.controller->lastKeyboardIdentifier(), std::nullopt);
    harness.flags(key_code::leftCommand, Modifiers::command(), 1000, 40);
    EXPECT_EQ(harness.drainCalls(), Strings{});  // the first keyboard is only recorded
    EXPECT_EQ(harness.controller->lastKeyboardIdentifier(), KeyboardIdentifier{"keyboard-type:40"});

    harness.flags(key_code::leftCommand, noModifiers, 1100, 41);
    EXPECT_EQ(harness.drainCalls(), Strings{"cancelPending"});
    EXPECT_EQ(harness.controller->lastKeyboardIdentifier(), KeyboardIdentifier{"keyboard-type:41"});
}

TEST(KeyboardEventControllerTests, EachKeyboardUsesItsAssignedPreset) {
    ControllerHarness harness(settingsWith([](TessarilSettings& settings) {
        settings.usesPerKeyboardPresetAssignments = true;
        settings.keyboardPresetAssignments["keyboard-type:41"] = KeyboardPreset::compactUS;
        settings.profiles.compactUS.leftCommandAction = CommandKeyAction::katakana;
    }));
    const std::pair<std::int64_t, const char*> steps[] = {
        {40, "request eisu"}, {41, "request katakana"}, {41, "request katakana"}, {40, "request eisu"}};
    std::int64_t time = 1000;
    for (const auto& [keyboardType, expected] : steps) {
        SCOPED_TRACE(keyboardType);
        harness.tapLeftCommand(time, 120, keyboardType);
        Strings calls = harness.drainCalls();
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back(), expected);
        time += 1000;
    }

    // Settings replaced later apply to the keyboard in use at once.
    harness.controller->updateSettings(settingsWith([](TessarilSettings& settings) {
        settings.usesPerKeyboardPresetAssignments = true;
        settings.keyboardPresetAssignments["keyboard-type:40"] = KeyboardPreset::fullSizeUS;
        settings.profiles.fullSizeUS.leftCommandAction = CommandKeyAction::fullWidthRoman;
    }));
    harness.tapLeftCommand(time);
    EXPECT_EQ(harness.drainCalls(), (Strings{"cancelPending", "pointer 0.120", "request fullWidthRoman"}));
}

// Right Shift is recorded as held; whether the next event still shows its flag decides whether the left
// Command press that follows takes its modified action (katakana) or its plain one (eisu).
TEST(KeyboardEventControllerTests, VanishedModifierFlagsReleaseHeldModifiers) {
    struct Case {
        const char* name;
        std::function<void(ControllerHarness&)> between;
        const char* expected;
    };
    const Case cases[] = {
        {"key-down with shift", [](ControllerHarness& h) { h.down(key_code::a, Modifiers::shift(), 1050); },
         "request katakana"},
        {"key-down without shift", [](ControllerHarness& h) { h.down(key_code::a, noModifiers, 1050); },
         "request eisu"},
        {"key-up without shift", [](ControllerHarness& h) { h.up(key_code::a, noModifiers, 1050); }, "request eisu"},
        {"caps lock without shift", [](ControllerHarness& h) { h.flags(key_code::capsLock, noModifiers, 1050); },
         "request eisu"},
        {"left option without shift",
         [](ControllerHarness& h) { h.flags(key_code::leftOption, Modifiers::option(), 1050); }, "request eisu"},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        ControllerHarness harness(settingsWith([](TessarilSettings& settings) {
            settings.profiles.laptop.leftModifiedCommandAction = ModifiedCommandAction::katakana;
        }));
        harness.flags(key_code::rightShift, Modifiers::shift(), 1000);
        testCase.between(harness);
        // Command goes down with the shift flag still reported, as a late flags update would show it.
        harness.flags(key_code::leftCommand, Modifiers{Modifiers::command(), Modifiers::shift()}, 1200);
        harness.flags(key_code::leftCommand, Modifiers::shift(), 1300);
        Strings calls = harness.drainCalls();
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back(), testCase.expected);
    }
}

TEST(KeyboardEventControllerTests, KeypadHackSwallowsTheKeyAndTypesItsText) {
    ControllerHarness harness(settingsWith([](TessarilSettings& settings) {
        settings.keypadShortcutHacks.period.isEnabled = true;
        settings.keypadShortcutHacks.period.outputText = "、";
    }));
    EXPECT_EQ(harness.flags(key_code::leftShift, Modifiers::shift(), 1000), pass);
    EXPECT_EQ(harness.down(key_code::keypadPeriod, Modifiers::shift(), 1100), suppress);
    EXPECT_EQ(harness.takeCalls(), Strings{});  // typed from the main queue, not on the tap thread
    EXPECT_EQ(harness.drainCalls(), Strings{"text 、"});
    EXPECT_EQ(harness.up(key_code::keypadPeriod, Modifiers::shift(), 1150), pass);
    EXPECT_EQ(harness.flags(key_code::leftShift, noModifiers, 1200), pass);
    // Without its modifier the keypad key is itself.
    EXPECT_EQ(harness.down(key_code::keypadPeriod, noModifiers, 1300), pass);
    EXPECT_EQ(harness.drainCalls(), Strings{});
}

// Keypad "=" held as a modifier and released unused types "=" from the main queue; a key that flushes a
// pending "=" passes at once and the "=" follows it.
TEST(KeyboardEventControllerTests, PendingKeypadEqualIsTypedAfterTheKeyThatFlushesIt) {
    ControllerHarness harness(settingsWith([](TessarilSettings& settings) {
        settings.keypadShortcutHacks.usesKeypadEqualCombo = true;
        settings.keypadShortcutHacks.period.isEnabled = true;
    }));
    EXPECT_EQ(harness.down(key_code::keypadEqual, noModifiers, 1000), suppress);
    EXPECT_EQ(harness.flags(key_code::leftShift, Modifiers::shift(), 1100), pass);
    EXPECT_EQ(harness.drainCalls(), Strings{"text ="});
}

TEST(KeyboardEventControllerTests, GuardedShortcutIsSwallowedUntilItsSecondPress) {
    ControllerHarness harness(settingsWith([](TessarilSettings& settings) {
        settings.globalShortcutGuard.isEnabled = true;
        for (auto& rule : settings.globalShortcutGuard.rules) rule.isEnabled = true;
    }));
    harness.flags(key_code::leftCommand, Modifiers::command(), 1000);
    EXPECT_EQ(harness.down(key_code::q, Modifiers::command(), 1100), suppress);
    EXPECT_EQ(harness.up(key_code::q, Modifiers::command(), 1150), pass);
    EXPECT_EQ(harness.down(key_code::q, Modifiers::command(), 1300), pass);
    EXPECT_EQ(harness.down(key_code::c, Modifiers::command(), 1500), pass);
}

TEST(KeyboardEventControllerTests, UpdateSettingsVoidsScheduledSwitchesButKeepsHeldKeys) {
    auto delayed = settingsWith([](TessarilSettings& settings) {
        settings.profiles.laptop.leftCommandDelayMilliseconds = 300;
    });
    ControllerHarness harness(delayed);
    harness.tapLeftCommand(1000);  // switch due at 1420
    harness.scheduler.advanceTo(1200);
    harness.takeCalls();
    harness.controller->updateSettings(delayed);
    harness.scheduler.advanceTo(2000);
    EXPECT_EQ(harness.takeCalls(), Strings{"cancelPending"});

    // A Command held across the update still taps.
    harness.controller->updateSettings(TessarilSettings());
    harness.flags(key_code::leftCommand, Modifiers::command(), 3000);
    harness.controller->updateSettings(TessarilSettings());
    harness.flags(key_code::leftCommand, noModifiers, 3100);
    EXPECT_EQ(harness.drainCalls(), (Strings{"cancelPending", "cancelPending", "pointer 0.100", "request eisu"}));
}

TEST(KeyboardEventControllerTests, FrontmostApplicationChangeResetsAndSelectsItsSettings) {
    ControllerHarness harness(settingsWith([](TessarilSettings& settings) {
        AppKeypadShortcutHackSettings entry;
        entry.displayName = "Editor";
        entry.keypadShortcutHacks.period.isEnabled = true;
        entry.keypadShortcutHacks.period.outputText = "。";
        settings.appKeypadShortcutHackSettings["com.example.editor"] = entry;
    }));
    harness.controller->updateFrontmostApplicationBundleIdentifier(std::nullopt);
    EXPECT_EQ(harness.drainCalls(), Strings{});  // unchanged: no reset

    harness.flags(key_code::leftShift, Modifiers::shift(), 1000);
    EXPECT_EQ(harness.down(key_code::keypadPeriod, Modifiers::shift(), 1100), pass);
    harness.controller->updateFrontmostApplicationBundleIdentifier("com.example.editor");
    EXPECT_EQ(harness.drainCalls(), Strings{"cancelPending"});
    // The reset forgot the held Shift, so it has to go down again.
    EXPECT_EQ(harness.down(key_code::keypadPeriod, Modifiers::shift(), 1200), pass);
    harness.flags(key_code::leftShift, Modifiers::shift(), 1300);
    EXPECT_EQ(harness.down(key_code::keypadPeriod, Modifiers::shift(), 1400), suppress);
    EXPECT_EQ(harness.drainCalls(), Strings{"text 。"});

    harness.controller->updateFrontmostApplicationBundleIdentifier("com.example.editor");
    EXPECT_EQ(harness.down(key_code::keypadPeriod, Modifiers::shift(), 1500), suppress);
    harness.controller->updateFrontmostApplicationBundleIdentifier("com.example.other");
    harness.flags(key_code::leftShift, Modifiers::shift(), 1600);
    EXPECT_EQ(harness.down(key_code::keypadPeriod, Modifiers::shift(), 1700), pass);
    // The text of the 1500 ms press was still queued when the application changed: it is void.
    EXPECT_EQ(harness.drainCalls(), Strings{"cancelPending"});
}

TEST(KeyboardEventControllerTests, SystemPointerButtonCheckAsksTheSession) {
    platform::VirtualUptimeClock clock(10'000'000'000);
    platform::EventSystem events(clock);
    auto check = KeyboardEventController::systemPointerButtonPressCheck(events);
    EXPECT_FALSE(check(1.0));
    events.notePointerButtonDown(platform::EventType::rightMouseDown);
    clock.advance(std::chrono::milliseconds(500));
    EXPECT_TRUE(check(0.6));
    EXPECT_FALSE(check(0.5));
}

} // namespace
} // namespace tessaril::testing
