#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Foundation/DistributedNotificationCenter.hpp"
#include "Platform/LoginItem/RecordingLoginItemService.hpp"
#include "Platform/Session/SimulatedSession.hpp"
#include "Platform/Workspace/RecordingWorkspace.hpp"
#include "TessarilApp/AppKit/Automation/ScriptedAlertPresenter.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilApp/Shell/RecordingApplication.hpp"
#include "TessarilApp/Shell/RecordingStatusItem.hpp"

namespace tessaril::shell_testing {

// The real application delegate on the simulated login session: virtual time, the session's event
// system, virtual keyboards and input sources, in-memory user defaults, and recording stand-ins for the
// application object, the workspace, the status item and the alerts.
class AppDelegateHarness {
public:
    struct Options {
        std::vector<std::string> arguments{"tessaril"};
        std::map<std::string, std::string, std::less<>> environment;
        bool accessibilityTrusted = true;
        bool statusItemHasButton = true;
        std::optional<platform::RunningApplication> frontmostApplication;
        // Stored in the standard defaults before the delegate reads them.
        std::optional<TessarilSettings> storedSettings;
        std::optional<platform::Bundle> resourceBundle;
        std::filesystem::path mainBundleResources;
        std::map<std::string, std::string, std::less<>> infoDictionary;
        bool installed = false;
        platform::LoginItemStatus loginItemStatus = platform::LoginItemStatus::notRegistered;
    };

    static constexpr std::int64_t processIdentifier = 4321;

    explicit AppDelegateHarness(Options options);
    AppDelegateHarness() : AppDelegateHarness(Options{}) {}
    ~AppDelegateHarness();

    // `applicationDidFinishLaunching`, then what is ready now.
    void launch();
    // Moves virtual time to `milliseconds`, running what falls due.
    void at(std::uint64_t milliseconds) { session.advanceTo(milliseconds); }

    AppDelegate& app() { return *delegate; }
    // The status item once the delegate made it.
    RecordingStatusItem& statusItem();
    bool hasStatusItem() const { return statusItem_ != nullptr; }
    std::string toolTip();
    // The status menu's Accessibility line.
    MenuItem accessibilityLine();
    // The number of menus the status item was given so far: one per start attempt, revocation and save.
    std::size_t menuCount();

    platform::SimulatedSession session;
    std::shared_ptr<platform::Executor> kanaKeyboardExecutor = session.mainQueue().makeSerialExecutor("kana-keyboard");
    std::shared_ptr<platform::Executor> modeKeyWorkerExecutor = session.mainQueue().makeSerialExecutor("mode-key-queue");
    platform::RecordingWorkspace workspace;
    RecordingApplication application;
    platform::DistributedNotificationCenter distributedNotificationCenter;
    platform::RecordingLoginItemService loginItems;
    // Answers every alert with its first button, or as told, and keeps them.
    std::shared_ptr<appkit::ScriptedAlertPresenter> alerts = std::make_shared<appkit::ScriptedAlertPresenter>();
    // The suites QA mode opened, by name.
    std::map<std::string, std::unique_ptr<platform::UserDefaults>> suites;
    std::unique_ptr<AppDelegate> delegate;

private:
    std::size_t broadcastToken_;
    RecordingStatusItem* statusItem_ = nullptr;
};

} // namespace tessaril::shell_testing
