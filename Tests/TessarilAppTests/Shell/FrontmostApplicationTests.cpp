// Which application the per-application settings follow: never this one, never one without an identifier.
#include <gtest/gtest.h>

#include "TessarilApp/Shell/DesktopWorkspace.hpp"
#include "TessarilAppTests/Shell/AppDelegateHarness.hpp"

using namespace tessaril;
using shell_testing::AppDelegateHarness;
using platform::RunningApplication;
using platform::WorkspaceNotification;

namespace {

constexpr std::uint16_t leftCommand = 55;
constexpr std::uint16_t keyQ = 12;
const std::string notes = "com.example.notes";

// ⌘Q needs a double press everywhere but in Notes, whose own guard is off.
TessarilSettings guardOffInNotes() {
    TessarilSettings settings;
    settings.globalShortcutGuard = DoublePressGuardSettings(true, 700, DoublePressGuardSettings::defaultShortcuts());
    settings.appShortcutGuardSettings[notes] = AppShortcutGuardSettings{"Notes", false, DoublePressGuardSettings()};
    return settings;
}

// Whether a first ⌘Q at `time` is swallowed.
bool commandQIsSwallowed(AppDelegateHarness& harness, std::uint64_t time) {
    harness.at(time);
    harness.session.flagsChanged({leftCommand, platform::event_flags::maskCommand});
    bool swallowed = harness.session.keyDown({keyQ, platform::event_flags::maskCommand});
    harness.session.keyUp({keyQ, platform::event_flags::maskCommand});
    harness.session.flagsChanged({leftCommand, 0});
    harness.session.runReadyWork();
    return swallowed;
}

} // namespace

TEST(FrontmostApplication, AnApplicationWithoutIdentifierOrThatIsThisOneIsNone) {
    const std::set<std::string, std::less<>> own{"com.tessaril.Tessaril"};
    struct Case {
        RunningApplication application;
        std::optional<FrontmostApplication> frontmost;
    };
    const std::vector<Case> cases{
        {{"com.example.notes", "Notes"}, FrontmostApplication{"com.example.notes", "Notes"}},
        {{"com.example.notes", std::nullopt}, FrontmostApplication{"com.example.notes", "com.example.notes"}},
        {{std::nullopt, "Untitled"}, std::nullopt},
        {{"com.tessaril.Tessaril", "Tessaril"}, std::nullopt},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(FrontmostApplication::make(testCase.application, own), testCase.frontmost)
            << testCase.application.localizedName.value_or("-");
    }
}

TEST(FrontmostApplication, ThisApplicationComingToTheFrontKeepsThePreviousTarget) {
    AppDelegateHarness::Options options;
    options.storedSettings = guardOffInNotes();
    options.frontmostApplication = RunningApplication{notes, "Notes"};
    AppDelegateHarness harness(options);
    harness.launch();
    EXPECT_FALSE(commandQIsSwallowed(harness, 1000));

    harness.workspace.post(WorkspaceNotification::didActivateApplication, RunningApplication{"com.tessaril.Tessaril", "Tessaril"});
    harness.workspace.post(WorkspaceNotification::didActivateApplication, RunningApplication{std::nullopt, "Untitled"});
    harness.workspace.post(WorkspaceNotification::didActivateApplication, std::nullopt);
    EXPECT_EQ(harness.app().frontmostApplication, (FrontmostApplication{notes, "Notes"}));
    EXPECT_FALSE(commandQIsSwallowed(harness, 3000));

    harness.workspace.post(WorkspaceNotification::didActivateApplication, RunningApplication{"com.example.mail", "Mail"});
    EXPECT_EQ(harness.app().frontmostApplication, (FrontmostApplication{"com.example.mail", "Mail"}));
    EXPECT_TRUE(commandQIsSwallowed(harness, 5000));
}

TEST(FrontmostApplication, ALaunchInFrontOfThisApplicationHasNoTarget) {
    AppDelegateHarness::Options options;
    options.frontmostApplication = RunningApplication{"com.tessaril.Tessaril", "Tessaril"};
    AppDelegateHarness harness(options);
    harness.launch();
    EXPECT_FALSE(harness.app().frontmostApplication);
}

TEST(FrontmostApplication, SettingsSavedLaterStillApplyToTheFrontmostApplication) {
    AppDelegateHarness::Options options;
    options.frontmostApplication = RunningApplication{notes, "Notes"};
    AppDelegateHarness harness(options);
    harness.launch();
    EXPECT_FALSE(commandQIsSwallowed(harness, 1000));
    harness.app().settings = guardOffInNotes();
    harness.app().persistSettings(true);
    EXPECT_FALSE(commandQIsSwallowed(harness, 3000)) << "Notes keeps its own guard";
    harness.workspace.post(WorkspaceNotification::didActivateApplication, RunningApplication{"com.example.mail", "Mail"});
    EXPECT_TRUE(commandQIsSwallowed(harness, 5000));
}

TEST(FrontmostApplication, AnX11WindowClassNamesTheApplicationByItsClass) {
    using std::string_literals::operator""s;
    struct Case {
        std::string windowClass;
        std::optional<RunningApplication> application;
    };
    const std::vector<Case> cases{
        {"navigator\0firefox\0"s, RunningApplication{"firefox", "firefox"}},
        {"gnome-terminal-server\0Gnome-terminal\0"s, RunningApplication{"Gnome-terminal", "Gnome-terminal"}},
        {"xterm\0\0"s, RunningApplication{"xterm", "xterm"}},
        {"xterm"s, RunningApplication{"xterm", "xterm"}},
        {"\0\0"s, std::nullopt},
        {""s, std::nullopt},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(DesktopWorkspace::applicationFromWindowClass(testCase.windowClass), testCase.application);
    }
}
