#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "Platform/Accessibility/SimulatedAccessibilityTrust.hpp"
#include "Platform/Clock/VirtualUptimeClock.hpp"
#include "Platform/Dispatch/VirtualScheduler.hpp"
#include "Platform/Foundation/DistributedNotificationCenter.hpp"
#include "Platform/Foundation/UserDefaults.hpp"
#include "Platform/HID/VirtualHIDDeviceService.hpp"
#include "Platform/LoginItem/RecordingLoginItemService.hpp"
#include "Platform/Logging/RecordingLogSink.hpp"
#include "Platform/Pasteboard/InMemoryPasteboard.hpp"
#include "Platform/Quartz/EventSystem.hpp"
#include "Platform/RunLoop/SystemThreadLauncher.hpp"
#include "Platform/TextInputSources/InputSourceProperties.hpp"
#include "Platform/TextInputSources/InputSourceService.hpp"
#include "Platform/Workspace/RecordingWorkspace.hpp"
#include "TessarilApp/AppKit/Automation/ScriptedAlertPresenter.hpp"
#include "TessarilApp/AppKit/Automation/ScriptedFilePanelPresenter.hpp"
#include "TessarilApp/AppKit/Automation/UIDriver.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilApp/Shell/MainMenuKeyEquivalents.hpp"
#include "TessarilApp/Shell/RecordingApplication.hpp"
#include "TessarilApp/Shell/RecordingStatusItem.hpp"

namespace tessaril::replay {

// The real application delegate and its settings window, off screen, with everything around them
// stood in: an in-memory standard defaults domain, scripted alerts, file panels, colour panel and link
// dialog, a recording
// application object, workspace and status item, and the keyboard pipeline on simulated services and
// virtual time. What the user would notice is reported as JSON lines, in the order it happens: alerts
// with their answers, saves of the settings, changes of the selected tab and the keyboard
// controller's suspension calls. Nothing is reported before the first step. The main menu's key
// equivalents answer key presses as in the application, so its quit key reaches the same path as the
// status menu's. For tests and `tessaril-replay window`. Main thread only.
class SettingsWindowHarness {
public:
    struct Configuration {
        TessarilSettings settings = {};
        // Other keys of the standard defaults, put there before the delegate is made.
        std::function<void(platform::UserDefaults& defaults)> prepareDefaults = {};
        SettingsTab tab = SettingsTab::basic;
        std::optional<platform::RunningApplication> frontmost = std::nullopt;
        bool accessibilityTrusted = false;
        bool kanaModeKeyboardReady = false;
        std::vector<platform::InputSourceProperties> inputSources = {};
        std::vector<std::string> answers = {};
        std::vector<appkit::FilePanelResult> files = {};
        // Answers of the colour panel and of the link dialog, in order; none: cancelled.
        std::vector<std::optional<platform::Color>> colors = {};
        std::vector<std::optional<std::string>> links = {};
        bool installed = false;
        platform::LoginItemStatus loginItemStatus = platform::LoginItemStatus::notRegistered;
        // The main bundle's information dictionary (its version texts).
        std::map<std::string, std::string, std::less<>> infoDictionary = {};
    };
    using Reporter = std::function<void(const nlohmann::json& line)>;

    SettingsWindowHarness(Configuration configuration, Reporter reporter);
    ~SettingsWindowHarness();
    SettingsWindowHarness(const SettingsWindowHarness&) = delete;
    SettingsWindowHarness& operator=(const SettingsWindowHarness&) = delete;

    AppDelegate& delegate() { return *delegate_; }
    appkit::UIDriver& driver() { return driver_; }
    RecordingApplication& application() { return application_; }
    platform::SimulatedAccessibilityTrust& accessibility() { return accessibility_; }
    appkit::ScriptedAlertPresenter& alerts() { return *alerts_; }
    platform::InputSourceService& inputSources() { return inputSources_; }
    platform::UserDefaults& standardDefaults() { return standardDefaults_; }
    platform::RecordingWorkspace& workspace() { return workspace_; }
    platform::RecordingLoginItemService& loginItems() { return loginItems_; }
    platform::InMemoryPasteboard& pasteboard() { return *pasteboard_; }
    appkit::ScriptedFilePanelPresenter& filePanels() { return *filePanels_; }

    // Each step ends by running what is ready: queued work of the window and the delegate's main
    // queue, deferred rebuilds and deletions.
    void open();
    // What the window's close button does.
    void close();
    // The user chooses the status menu's item with that action (and represented object); nothing
    // happens when the menu has no such enabled item, and the answer is false.
    bool chooseMenuItem(const std::string& action, const std::optional<std::string>& representedObject);
    void bringToFront(const std::optional<platform::RunningApplication>& application);
    // Moves virtual time on by `milliseconds`, running what falls due (retries, timers), then what is ready.
    void advanceBy(std::uint64_t milliseconds);
    // Whether the application agreed to end; the tool then runs no further step.
    bool hasTerminated() const { return application_.hasTerminated(); }
    // Reports `{"missing": address}`, `{"disabled": address}` or `{"unreachable": address}` for an
    // outcome other than performed.
    void report(appkit::UIDriver::Outcome outcome, const nlohmann::json& address);
    void finishStep();

    // {"bundleIdentifier", "name"} of an application, or a bare identifier that is also its name.
    static platform::RunningApplication runningApplication(const std::string& bundleIdentifier,
                                                           const std::optional<std::string>& name);

private:
    void reportLine(const nlohmann::json& line);
    void noteTabChange();

    Reporter reporter_;
    bool reporting_ = false;
    SettingsTab reportedTab_;

    platform::VirtualUptimeClock clock_;
    platform::VirtualScheduler scheduler_{clock_};
    std::shared_ptr<platform::Executor> hidCompletions_;
    std::shared_ptr<platform::Executor> kanaKeyboardExecutor_;
    std::shared_ptr<platform::Executor> modeKeyWorkerExecutor_;
    platform::EventSystem events_{clock_};
    std::shared_ptr<platform::VirtualHIDDeviceService> hidDevices_;
    platform::InputSourceService inputSources_{scheduler_};
    platform::SimulatedAccessibilityTrust accessibility_;
    platform::UserDefaults standardDefaults_;
    std::map<std::string, std::unique_ptr<platform::UserDefaults>> suites_;
    std::shared_ptr<platform::RecordingLogSink> logSink_ = std::make_shared<platform::RecordingLogSink>();
    platform::SystemThreadLauncher threads_;
    platform::RecordingWorkspace workspace_;
    platform::DistributedNotificationCenter notifications_;
    RecordingApplication application_;
    platform::RecordingLoginItemService loginItems_;
    std::shared_ptr<platform::InMemoryPasteboard> pasteboard_ = std::make_shared<platform::InMemoryPasteboard>();
    std::shared_ptr<appkit::ScriptedFilePanelPresenter> filePanels_;

    std::shared_ptr<appkit::ScriptedAlertPresenter> alerts_;
    std::shared_ptr<appkit::EventMonitors> eventMonitors_ = std::make_shared<appkit::EventMonitors>();
    appkit::UIDriver driver_{*eventMonitors_};
    std::unique_ptr<AppDelegate> delegate_;
    std::unique_ptr<MainMenuKeyEquivalents> keyEquivalents_;
};

} // namespace tessaril::replay
