// Start-up: the developer switches, the QA request and QA mode, the launch sequence, reopen and
// terminate.
#include <gtest/gtest.h>

#include "TessarilApp/Shell/DeveloperSwitches.hpp"
#include "TessarilApp/Shell/QASettingsPreviewRequest.hpp"
#include "TessarilApp/Shell/ShortcutCaptureKeyMaps.hpp"
#include "TessarilAppTests/Shell/AppDelegateHarness.hpp"

using namespace tessaril;
using shell_testing::AppDelegateHarness;
using Environment = std::map<std::string, std::string, std::less<>>;
using Arguments = std::vector<std::string>;

namespace {

platform::ProcessInfo process(Environment environment, Arguments arguments) {
    arguments.insert(arguments.begin(), "tessaril");
    return platform::ProcessInfo{std::move(arguments), std::move(environment), 77};
}

} // namespace

TEST(DeveloperSwitches, TheVariableDecidesOnlyWhenItIsOneElseAWholeArgumentDoes) {
    struct Case {
        Environment environment;
        Arguments arguments;
        bool isOn;
    };
    const std::string variable = "TESSARIL_DISABLE_INPUT_BACKEND";
    const std::string argument = "--tessaril-disable-input-backend";
    const std::vector<Case> cases{
        {{}, {}, false},
        {{{variable, "1"}}, {}, true},
        {{{variable, "0"}}, {argument}, true},
        {{{variable, "true"}}, {}, false},
        {{{variable, ""}}, {}, false},
        {{}, {argument}, true},
        {{}, {argument + "=1"}, false},
        {{}, {"--tessaril-disable-input"}, false},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(DeveloperSwitches::isOn(process(testCase.environment, testCase.arguments), variable, argument),
                  testCase.isOn)
            << (testCase.arguments.empty() ? "(no argument)" : testCase.arguments.front());
    }
}

TEST(DeveloperSwitches, TheSettingsTabComesFromTheVariableWhenSetElseTheFirstOption) {
    struct Case {
        const char* name;
        Environment environment;
        Arguments arguments;
        std::optional<SettingsTab> tab;
    };
    const std::vector<Case> cases{
        {"option", {}, {"--tessaril-settings-tab=presets"}, SettingsTab::presets},
        {"first option only", {}, {"--tessaril-settings-tab=support", "--tessaril-settings-tab=advanced"}, SettingsTab::support},
        {"first option names nothing", {}, {"--tessaril-settings-tab=nope", "--tessaril-settings-tab=advanced"}, std::nullopt},
        {"variable", {{"TESSARIL_SETTINGS_TAB", "fixedPhrases"}}, {}, SettingsTab::fixedPhrases},
        {"variable names nothing", {{"TESSARIL_SETTINGS_TAB", "Presets"}}, {"--tessaril-settings-tab=presets"}, std::nullopt},
        {"empty variable", {{"TESSARIL_SETTINGS_TAB", ""}}, {"--tessaril-settings-tab=presets"}, std::nullopt},
        {"neither", {}, {"--tessaril-settings-tab"}, std::nullopt},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(DeveloperSwitches::launchSettingsTab(process(testCase.environment, testCase.arguments)), testCase.tab)
            << testCase.name;
    }
}

TEST(QASettingsPreviewRequest, TheEnvironmentDirectoryWinsAndTheAppearanceIsDarkUnlessLight) {
    struct Case {
        const char* name;
        Environment environment;
        Arguments arguments;
        std::optional<QASettingsPreviewRequest> request;
    };
    const std::string dark = "NSAppearanceNameDarkAqua";
    const std::string light = "NSAppearanceNameAqua";
    const std::vector<Case> cases{
        {"none", {}, {}, std::nullopt},
        {"option, relative", {}, {"--tessaril-qa-export-settings=out/../shots/"}, {{"/home/me/shots", dark}}},
        {"environment wins", {{"TESSARIL_QA_SETTINGS_EXPORT_DIR", "/tmp/qa"}}, {"--tessaril-qa-export-settings=/x"},
         {{"/tmp/qa", dark}}},
        {"empty environment is no request", {{"TESSARIL_QA_SETTINGS_EXPORT_DIR", ""}}, {"--tessaril-qa-export-settings=/x"},
         std::nullopt},
        {"empty option", {}, {"--tessaril-qa-export-settings="}, std::nullopt},
        {"light in any case",
         {{"TESSARIL_QA_SETTINGS_EXPORT_DIR", "/tmp/qa"}, {"TESSARIL_QA_SETTINGS_APPEARANCE", "LiGhT"}},
         {},
         {{"/tmp/qa", light}}},
        {"anything else is dark",
         {{"TESSARIL_QA_SETTINGS_EXPORT_DIR", "/tmp/qa"}, {"TESSARIL_QA_SETTINGS_APPEARANCE", "light "}},
         {},
         {{"/tmp/qa", dark}}},
        {"a document, relative",
         {{"TESSARIL_QA_SETTINGS_EXPORT_DIR", "/tmp/qa"}, {"TESSARIL_QA_SETTINGS_DOCUMENT", "docs/../sample.json"}},
         {},
         {{"/tmp/qa", dark, "/home/me/sample.json"}}},
        {"an empty document is none",
         {{"TESSARIL_QA_SETTINGS_EXPORT_DIR", "/tmp/qa"}, {"TESSARIL_QA_SETTINGS_DOCUMENT", ""}},
         {},
         {{"/tmp/qa", dark}}},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(QASettingsPreviewRequest::current(process(testCase.environment, testCase.arguments), "/home/me"),
                  testCase.request)
            << testCase.name;
    }
}

TEST(ShortcutCaptureKeyMaps, AnsiCharacterKeysAndTheKeypadPeriod) {
    const auto& characters = shortcutCaptureCharacterByKeyCode();
    const auto& keys = shortcutCaptureKeyByKeyCode();
    EXPECT_EQ(characters.size(), 47u);
    EXPECT_EQ(keys.size(), 48u);
    for (std::uint16_t absent : {10, 36, 48, 49}) EXPECT_FALSE(characters.contains(absent)) << absent;
    EXPECT_EQ(characters.at(0), "a");
    EXPECT_EQ(characters.at(22), "6");
    EXPECT_EQ(characters.at(42), "\\");
    EXPECT_EQ(characters.at(50), "`");
    EXPECT_EQ(keys.at(12), ShortcutKey::character("q"));
    EXPECT_EQ(keys.at(65), ShortcutKey::keypadPeriod());
}

TEST(AppDelegateLaunch, TheNormalLaunchWiresEverythingAndStartsTheBackend) {
    TessarilSettings stored;
    stored.setActiveBuiltInPreset(KeyboardPreset::fullSizeUS);
    AppDelegateHarness::Options options;
    options.storedSettings = stored;
    options.frontmostApplication = platform::RunningApplication{"com.example.notes", "Notes"};
    AppDelegateHarness harness(options);
    EXPECT_EQ(harness.app().settings, stored);
    harness.launch();

    EXPECT_EQ(harness.application.activationPolicy(), ActivationPolicy::accessory);
    ASSERT_TRUE(harness.application.mainMenu());
    EXPECT_EQ(harness.app().frontmostApplication, (FrontmostApplication{"com.example.notes", "Notes"}));
    using W = platform::WorkspaceNotification;
    EXPECT_EQ(harness.workspace.observedNotifications(),
              (std::vector<W>{W::didActivateApplication, W::willSleep, W::didWake, W::sessionDidResignActive,
                              W::sessionDidBecomeActive}));
    EXPECT_TRUE(harness.statusItem().isVisible());
    EXPECT_EQ(harness.statusItem().title(), "か");
    EXPECT_FALSE(harness.statusItem().hasImage());
    EXPECT_TRUE(harness.app().eventTapBackend().isRunning());
    EXPECT_EQ(harness.app().lastStatus, "動作中");
    EXPECT_EQ(harness.application.activations(), 0) << "no settings window without the switch";
}

TEST(AppDelegateLaunch, TheOpenSwitchOpensTheSettingsWindowAfterLaunchOnTheChosenTab) {
    struct Case {
        const char* name;
        Environment environment;
        Arguments arguments;
        SettingsTab tab;
        int activations;
    };
    const std::vector<Case> cases{
        {"switch and tab", {{"TESSARIL_OPEN_SETTINGS_ON_LAUNCH", "1"}}, {"--tessaril-settings-tab=presets"},
         SettingsTab::presets, 1},
        {"tab without the switch", {}, {"--tessaril-settings-tab=presets"}, SettingsTab::basic, 0},
        {"variable names no tab",
         {{"TESSARIL_OPEN_SETTINGS_ON_LAUNCH", "1"}, {"TESSARIL_SETTINGS_TAB", "x"}},
         {"--tessaril-settings-tab=presets"},
         SettingsTab::basic,
         1},
    };
    for (const auto& testCase : cases) {
        AppDelegateHarness::Options options;
        options.environment = testCase.environment;
        options.arguments = {"tessaril"};
        options.arguments.insert(options.arguments.end(), testCase.arguments.begin(), testCase.arguments.end());
        AppDelegateHarness harness(options);
        harness.app().applicationDidFinishLaunching();
        EXPECT_EQ(harness.application.activations(), 0) << testCase.name << ": opened before the launch returned";
        harness.session.runReadyWork();
        EXPECT_EQ(harness.app().selectedSettingsTab, testCase.tab) << testCase.name;
        EXPECT_EQ(harness.application.activations(), testCase.activations) << testCase.name;
    }
}

TEST(AppDelegateLaunch, QAModeUsesAnEmptiedSuiteWithDefaultsAndStartsNothingButTheExport) {
    TessarilSettings stored;
    stored.setActiveBuiltInPreset(KeyboardPreset::compactUS);
    AppDelegateHarness::Options options;
    options.storedSettings = stored;
    options.environment = {{"TESSARIL_QA_SETTINGS_EXPORT_DIR", "qa-out"}};
    const std::string suiteName = "com.tessaril.Tessaril.QAPreview.4321";
    AppDelegateHarness harness(options);
    ASSERT_TRUE(harness.suites.contains(suiteName));
    EXPECT_EQ(harness.app().qaSettingsPreviewRequest,
              (QASettingsPreviewRequest{"/work/qa-out", "NSAppearanceNameDarkAqua"}));
    EXPECT_EQ(harness.app().settings, TessarilSettings());
    const auto storedBytes = harness.session.defaults().data(TessarilSettingsStore::settingsKey);

    harness.app().applicationDidFinishLaunching();
    EXPECT_EQ(harness.application.activationPolicy(), ActivationPolicy::accessory);
    EXPECT_FALSE(harness.application.exitStatus()) << "the export runs after the launch returned";
    harness.session.runReadyWork();
    EXPECT_TRUE(harness.application.exitStatus());
    EXPECT_FALSE(harness.hasStatusItem());
    EXPECT_FALSE(harness.application.mainMenu());
    EXPECT_TRUE(harness.workspace.observedNotifications().empty());
    EXPECT_FALSE(harness.app().eventTapBackend().isRunning());
    harness.app().persistSettings(false);
    EXPECT_EQ(harness.session.defaults().data(TessarilSettingsStore::settingsKey), storedBytes)
        << "the user's settings are untouched";
    EXPECT_TRUE(harness.suites.at(suiteName)->hasValue(TessarilSettingsStore::settingsKey));
}

TEST(AppDelegateLaunch, ASecondQARunStartsFromAnEmptySuite) {
    AppDelegateHarness::Options options;
    options.environment = {{"TESSARIL_QA_SETTINGS_EXPORT_DIR", "/tmp/qa"}};
    AppDelegateHarness harness(options);
    harness.app().settings.setActiveBuiltInPreset(KeyboardPreset::fullSizeUS);
    harness.app().persistSettings(false);
    platform::UserDefaults& suite = *harness.suites.begin()->second;
    ASSERT_TRUE(suite.hasValue(TessarilSettingsStore::settingsKey));
    // A run with the same process identifier opens the same suite.
    AppDelegate again{AppDelegateServices(harness.app().services())};
    EXPECT_FALSE(suite.hasValue(TessarilSettingsStore::settingsKey));
    EXPECT_EQ(again.settings, TessarilSettings());
}

TEST(AppDelegateLaunch, ReopenOpensTheSettingsWindowOnlyWhenNoWindowShows) {
    AppDelegateHarness harness;
    harness.launch();
    harness.application.setHasVisibleWindows(true);
    harness.application.reopen();
    EXPECT_EQ(harness.application.activations(), 0);
    harness.application.setHasVisibleWindows(false);
    harness.application.reopen();
    EXPECT_EQ(harness.application.activations(), 1);
    EXPECT_TRUE(harness.app().applicationShouldHandleReopen(true));
}

TEST(AppDelegateLaunch, QuittingFromTheMenuStopsTheInputAndTerminates) {
    AppDelegateHarness harness;
    harness.launch();
    ASSERT_TRUE(harness.app().eventTapBackend().isRunning());
    ASSERT_TRUE(harness.statusItem().choose("quit"));
    EXPECT_TRUE(harness.application.hasTerminated());
    EXPECT_FALSE(harness.app().eventTapBackend().isRunning());
    EXPECT_EQ(harness.app().activeInputBackend, ActiveKeyboardInputBackend::stopped);
    EXPECT_FALSE(harness.app().accessibilityTrustMonitor);
    // Nothing is saved on the way out.
    EXPECT_FALSE(harness.session.defaults().hasValue(TessarilSettingsStore::settingsKey));
}

TEST(AppDelegateLaunch, QuittingBeforeLaunchAnswersTerminateNow) {
    for (const auto request : {TerminationRequest::user, TerminationRequest::session}) {
        AppDelegateHarness harness;
        EXPECT_EQ(harness.app().applicationShouldTerminate(request), TerminateReply::terminateNow);
    }
}

TEST(AppDelegateLaunch, DeferredWorkDoesNothingOnceTheDelegateIsGone) {
    AppDelegateHarness::Options options;
    options.accessibilityTrusted = false;
    AppDelegateHarness harness(options);
    harness.launch();
    ASSERT_TRUE(harness.app().hasScheduledAccessibilityRetry);
    int ran = 0;
    harness.app().runAfter(std::chrono::milliseconds(500), [&ran](AppDelegate&) { ++ran; });
    harness.delegate.reset();
    harness.at(5000);
    EXPECT_EQ(ran, 0);
}

TEST(AppDelegateLaunch, TheDelegateDeletesTheWindowsItKeepsOnceEach) {
    AppDelegateHarness harness;
    QPointer<QWidget> window = new QWidget();
    QPointer<QWidget> sheet = new QWidget(window);
    QPointer<QWidget> panel = new QWidget();
    harness.app().settingsWindow = window;
    harness.app().featureSetModalWindow = sheet;
    harness.app().characterCountHUDPanel = panel;
    harness.delegate.reset();
    EXPECT_FALSE(window);
    EXPECT_FALSE(sheet);
    EXPECT_FALSE(panel);
}
