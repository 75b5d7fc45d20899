// The input backend's supervision on the virtual clock: launches with and without the permission, its
// withdrawal, failed starts, sleep and wake, the developer switch, and the status texts they leave.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "Platform/HID/VirtualHIDError.hpp"
#include "TessarilAppTests/Shell/AppDelegateHarness.hpp"
#include "TessarilMac/EventTap/EventTapInputBackendError.hpp"
#include "TessarilMac/InputMode/KanaModeKeyboard.hpp"
#include "TessarilMac/InputMode/MacInputModeDispatcherError.hpp"
#include "TessarilMac/Pipeline/MacKeyboardActionDispatcherError.hpp"

using namespace tessaril;
using shell_testing::AppDelegateHarness;
using Backend = ActiveKeyboardInputBackend;
using platform::WorkspaceNotification;

namespace {

const std::string abc = "com.apple.keylayout.ABC";
constexpr std::uint16_t leftCommand = 55;

AppDelegateHarness::Options untrusted() {
    AppDelegateHarness::Options options;
    options.accessibilityTrusted = false;
    return options;
}

// A withdrawn permission found by the tap itself: the system disables the tap and, re-enabling it,
// the backend finds the permission gone.
void revokeAndInterruptTap(AppDelegateHarness& harness) {
    harness.session.setAccessibilityTrusted(false);
    harness.session.disableTaps(platform::EventType::tapDisabledByTimeout);
    harness.session.runReadyWork();
}

} // namespace

TEST(InputBackendSupervision, AnUntrustedLaunchWaitsAndStartsWithinASecondOfTheGrant) {
    AppDelegateHarness harness(untrusted());
    harness.launch();
    AppDelegate& app = harness.app();
    EXPECT_EQ(app.lastStatus, "アクセシビリティ権限待ち");
    EXPECT_EQ(harness.toolTip(), "Tessaril: アクセシビリティ権限待ち / アクセシビリティ未許可");
    EXPECT_EQ(harness.accessibilityLine().title, "🔴 アクセシビリティ: 確認が必要");
    EXPECT_TRUE(harness.accessibilityLine().isEnabled);
    EXPECT_TRUE(app.hasScheduledAccessibilityRetry);
    EXPECT_FALSE(app.eventTapBackend().isRunning());

    harness.at(2500);
    harness.session.setAccessibilityTrusted(true);
    harness.at(2999);
    EXPECT_EQ(app.lastStatus, "アクセシビリティ権限待ち");
    harness.at(3000);
    EXPECT_EQ(app.lastStatus, "動作中");
    EXPECT_EQ(harness.toolTip(), "Tessaril: 動作中 / アクセシビリティ許可済み");
    EXPECT_EQ(harness.accessibilityLine().title, "🟢 アクセシビリティ: 許可済み");
    EXPECT_FALSE(harness.accessibilityLine().isEnabled);
    EXPECT_EQ(app.activeInputBackend, Backend::eventTap);
    EXPECT_FALSE(app.hasScheduledAccessibilityRetry);
    ASSERT_TRUE(app.accessibilityTrustMonitor);
    EXPECT_TRUE(app.accessibilityTrustMonitor->isValid());

    // The tap now feeds the pipeline: a left Command tap switches to eisu.
    harness.at(3100);
    harness.session.flagsChanged({leftCommand, platform::event_flags::maskCommand});
    harness.at(3200);
    harness.session.flagsChanged({leftCommand, 0});
    harness.at(4000);
    EXPECT_EQ(harness.session.currentInputSourceID(), abc);
}

TEST(InputBackendSupervision, AWithdrawnPermissionStopsTheTapAtTheNextCheckOrAtOnceOnTheTapsReport) {
    {
        AppDelegateHarness harness;
        harness.launch();
        harness.at(2500);
        harness.session.setAccessibilityTrusted(false);
        harness.at(3999);
        EXPECT_EQ(harness.app().lastStatus, "動作中");
        harness.at(4000);
        EXPECT_EQ(harness.app().lastStatus, "アクセシビリティ権限待ち");
        EXPECT_EQ(harness.toolTip(), "Tessaril: アクセシビリティ権限待ち / アクセシビリティ未許可");
        EXPECT_FALSE(harness.app().eventTapBackend().isRunning());
        EXPECT_EQ(harness.app().activeInputBackend, Backend::stopped);
        EXPECT_FALSE(harness.app().accessibilityTrustMonitor);
        EXPECT_TRUE(harness.app().hasScheduledAccessibilityRetry);
        harness.session.setAccessibilityTrusted(true);
        harness.at(5000);
        EXPECT_EQ(harness.app().lastStatus, "動作中");
    }
    {
        AppDelegateHarness harness;
        harness.launch();
        harness.at(700);
        revokeAndInterruptTap(harness);
        EXPECT_EQ(harness.app().lastStatus, "アクセシビリティ権限待ち");
        EXPECT_FALSE(harness.app().eventTapBackend().isRunning());
        EXPECT_EQ(harness.accessibilityLine().title, "🔴 アクセシビリティ: 確認が必要");
    }
}

TEST(InputBackendSupervision, AFailedStartIsRetriedEverySecondUntilTheTapStarts) {
    AppDelegateHarness harness;
    harness.session.events().setTapCreationFails(true);
    harness.launch();
    EXPECT_EQ(harness.app().lastStatus, "開始できません");
    EXPECT_EQ(harness.toolTip(), "Tessaril: 開始できません / アクセシビリティ許可済み");
    auto menusAtLaunch = harness.menuCount();
    harness.at(5000);
    EXPECT_EQ(harness.menuCount() - menusAtLaunch, 5u) << "one start attempt a second";
    harness.session.events().setTapCreationFails(false);
    harness.at(6000);
    EXPECT_EQ(harness.app().lastStatus, "動作中");
    EXPECT_FALSE(harness.app().hasScheduledAccessibilityRetry);
    harness.at(9000);
    EXPECT_EQ(harness.menuCount() - menusAtLaunch, 6u) << "no attempts once running";
}

// A retry pending from the launch, a start through the settings window, then a withdrawal: the
// launch's retry must not survive the start and poll beside the new one.
TEST(InputBackendSupervision, AtMostOneRetryIsPendingWhateverStartsTheBackendMeanwhile) {
    AppDelegateHarness harness(untrusted());
    harness.launch();
    harness.at(300);
    harness.session.setAccessibilityTrusted(true);
    harness.at(500);
    harness.app().openSettingsWindow();
    EXPECT_EQ(harness.app().lastStatus, "動作中");
    EXPECT_FALSE(harness.app().hasScheduledAccessibilityRetry);
    harness.at(700);
    revokeAndInterruptTap(harness);
    auto menusAfterRevocation = harness.menuCount();
    harness.at(1500);
    EXPECT_EQ(harness.menuCount(), menusAfterRevocation) << "the launch's retry ran";
    harness.at(5800);
    EXPECT_EQ(harness.menuCount() - menusAfterRevocation, 5u) << "polls at 1700, 2700, 3700, 4700 and 5700 only";
    EXPECT_TRUE(harness.app().hasScheduledAccessibilityRetry);
}

TEST(InputBackendSupervision, SleepAndSessionSwitchesStopTheTapOnceAndWakeStartsItOnce) {
    AppDelegateHarness harness;
    harness.launch();
    AppDelegate& app = harness.app();
    ASSERT_EQ(harness.session.events().taps().size(), 1u);
    harness.at(1000);
    harness.workspace.post(WorkspaceNotification::willSleep);
    harness.workspace.post(WorkspaceNotification::sessionDidResignActive);
    EXPECT_TRUE(app.isSystemInputSuspended);
    EXPECT_FALSE(app.eventTapBackend().isRunning());
    EXPECT_EQ(app.activeInputBackend, Backend::stopped);
    EXPECT_FALSE(app.accessibilityTrustMonitor);
    EXPECT_EQ(app.lastStatus, "動作中") << "the status stays while asleep";
    harness.at(5000);
    harness.workspace.post(WorkspaceNotification::didWake);
    harness.workspace.post(WorkspaceNotification::sessionDidBecomeActive);
    EXPECT_FALSE(app.isSystemInputSuspended);
    EXPECT_TRUE(app.eventTapBackend().isRunning());
    EXPECT_EQ(app.activeInputBackend, Backend::eventTap);
    EXPECT_EQ(harness.session.events().taps().size(), 2u);
}

TEST(InputBackendSupervision, ARetryDueDuringSleepStartsNothingAndTheWakeRestarts) {
    AppDelegateHarness harness(untrusted());
    harness.launch();
    harness.at(500);
    harness.workspace.post(WorkspaceNotification::willSleep);
    auto menusAsleep = harness.menuCount();
    harness.at(4000);
    EXPECT_EQ(harness.menuCount(), menusAsleep);
    EXPECT_FALSE(harness.app().hasScheduledAccessibilityRetry);
    harness.session.setAccessibilityTrusted(true);
    harness.workspace.post(WorkspaceNotification::didWake);
    EXPECT_EQ(harness.app().lastStatus, "動作中");
}

TEST(InputBackendSupervision, TheDeveloperSwitchKeepsTheBackendOffWithoutRetriesOrMonitor) {
    auto options = untrusted();
    options.environment = {{"TESSARIL_DISABLE_INPUT_BACKEND", "1"}};
    AppDelegateHarness harness(options);
    harness.launch();
    EXPECT_EQ(harness.app().lastStatus, "プレビュー");
    EXPECT_EQ(harness.toolTip(), "Tessaril: プレビュー / アクセシビリティ未許可");
    EXPECT_FALSE(harness.app().hasScheduledAccessibilityRetry);
    auto menusAtLaunch = harness.menuCount();
    harness.session.setAccessibilityTrusted(true);
    harness.app().startAccessibilityTrustMonitor();
    harness.app().scheduleAccessibilityRetry();
    harness.at(10000);
    EXPECT_EQ(harness.menuCount(), menusAtLaunch);
    EXPECT_FALSE(harness.app().accessibilityTrustMonitor);
    EXPECT_TRUE(harness.session.events().taps().empty());
}

TEST(InputBackendSupervision, InputErrorsShowTheirTypeNameInTheStatusAndTooltip) {
    struct Case {
        std::exception_ptr error;
        std::string status;
    };
    const std::vector<Case> cases{
        {std::make_exception_ptr(MacInputModeDispatcherError::currentInputSourceUnavailable()),
         "入力送信エラー: MacInputModeDispatcherError"},
        {std::make_exception_ptr(KanaModeKeyboard::KeyboardError::creationFailed()), "入力送信エラー: KeyboardError"},
        {std::make_exception_ptr(EventTapInputBackendError(EventTapInputBackendError::Case::failedToCreateEventTap)),
         "入力送信エラー: EventTapInputBackendError"},
        {std::make_exception_ptr(platform::VirtualHIDError("report refused")), "入力送信エラー: VirtualHIDError"},
        {std::make_exception_ptr(std::runtime_error("anything else")), "入力送信エラー: Error"},
    };
    AppDelegateHarness harness;
    harness.launch();
    for (const auto& testCase : cases) {
        harness.app().recordInputDispatchError(testCase.error);
        EXPECT_EQ(harness.app().lastStatus, testCase.status);
        EXPECT_EQ(harness.toolTip(), "Tessaril: " + testCase.status + " / アクセシビリティ許可済み");
    }
    // Typing nothing fails in the keystroke dispatcher, which the shell reports the same way.
    harness.app().dispatchTextInsertion("");
    EXPECT_EQ(harness.app().lastStatus, "入力送信エラー: MacKeyboardActionDispatcherError");
}

TEST(InputBackendSupervision, AVirtualKeyboardThatCannotStartIsReportedAndNotReady) {
    {
        AppDelegateHarness harness;
        harness.launch();
        EXPECT_TRUE(harness.app().kanaModeKeyboardReady);
        EXPECT_EQ(harness.app().lastStatus, "動作中");
    }
    {
        AppDelegateHarness harness;
        harness.session.hidDevices()->setCreationFails(true);
        harness.launch();
        EXPECT_FALSE(harness.app().kanaModeKeyboardReady);
        EXPECT_EQ(harness.toolTip(), "Tessaril: 入力送信エラー: KeyboardError / アクセシビリティ許可済み");
    }
}

// A left Command tap whose switch to eisu waits out its delay: every way the tap stops in between
// drops it, so nothing switches behind a tap that no longer runs.
TEST(InputBackendSupervision, EveryStopOfTheTapDropsASwitchStillWaitingForItsDelay) {
    struct Case {
        const char* name;
        std::function<void(AppDelegateHarness&)> stop;
        bool switches;
    };
    const Case cases[] = {
        {"nothing stops the tap", [](AppDelegateHarness&) {}, true},
        {"sleep", [](AppDelegateHarness& harness) { harness.workspace.post(WorkspaceNotification::willSleep); }, false},
        {"session switched away",
         [](AppDelegateHarness& harness) { harness.workspace.post(WorkspaceNotification::sessionDidResignActive); },
         false},
        // The permission check runs at 2000, before the switch is due at 2150.
        {"permission withdrawn", [](AppDelegateHarness& harness) { harness.session.setAccessibilityTrusted(false); }, false},
        {"quit", [](AppDelegateHarness& harness) { harness.app().applicationShouldTerminate(TerminationRequest::user); }, false},
    };
    for (const auto& test : cases) {
        TessarilSettings settings;
        settings.profiles[KeyboardPreset::laptop].leftCommandDelayMilliseconds = 250;
        AppDelegateHarness::Options options;
        options.storedSettings = settings;
        AppDelegateHarness harness(options);
        harness.launch();
        harness.at(1850);
        harness.session.flagsChanged({leftCommand, platform::event_flags::maskCommand});
        harness.at(1900);
        harness.session.flagsChanged({leftCommand, 0});
        harness.at(1950);
        test.stop(harness);
        harness.at(3000);
        EXPECT_EQ(harness.session.currentInputSourceID() == abc, test.switches) << test.name;
    }
}
