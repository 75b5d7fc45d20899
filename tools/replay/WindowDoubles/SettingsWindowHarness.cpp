#include "WindowDoubles/SettingsWindowHarness.hpp"

#include <QCoreApplication>

#include "TessarilApp/AppKit/Automation/ScriptedColorPanelPresenter.hpp"
#include "TessarilApp/AppKit/Window.hpp"
#include "TessarilApp/SettingsWindow/SettingsWindowController.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilMac/Pipeline/TessarilApplicationIdentity.hpp"
#include "WindowDoubles/ScriptedFixedPhraseLinkPrompt.hpp"

namespace tessaril::replay {

namespace {

nlohmann::json alertLine(const appkit::Alert& alert, const std::string& answer) {
    return {{"alert",
             {{"style", std::string(rawValue(alert.style))},
              {"message", alert.messageText},
              {"informative", alert.informativeText},
              {"buttons", alert.buttons},
              {"answer", answer}}}};
}

} // namespace

SettingsWindowHarness::SettingsWindowHarness(Configuration configuration, Reporter reporter)
    : reporter_(std::move(reporter)),
      reportedTab_(configuration.tab),
      hidCompletions_(scheduler_.makeSerialExecutor("hid-completions")),
      kanaKeyboardExecutor_(scheduler_.makeSerialExecutor("kana-keyboard")),
      modeKeyWorkerExecutor_(scheduler_.makeSerialExecutor("mode-key-queue")),
      hidDevices_(std::make_shared<platform::VirtualHIDDeviceService>(*hidCompletions_)),
      accessibility_(configuration.accessibilityTrusted),
      loginItems_(configuration.installed, configuration.loginItemStatus) {
    for (const auto& source : configuration.inputSources) inputSources_.install(source);
    if (configuration.prepareDefaults) configuration.prepareDefaults(standardDefaults_);
    alerts_ = std::make_shared<appkit::ScriptedAlertPresenter>(
        configuration.answers, [this](const appkit::Alert& alert, const std::string& answer) { reportLine(alertLine(alert, answer)); });

    InterfaceServices userInterface;
    userInterface.alerts = alerts_;
    filePanels_ = std::make_shared<appkit::ScriptedFilePanelPresenter>(configuration.files);
    userInterface.filePanels = filePanels_;
    userInterface.colorPanel = std::make_shared<appkit::ScriptedColorPanelPresenter>(std::move(configuration.colors));
    userInterface.linkPrompt = std::make_shared<ScriptedFixedPhraseLinkPrompt>(std::move(configuration.links));
    userInterface.eventMonitors = eventMonitors_;
    userInterface.didSaveSettings = [this](const TessarilSettings& saved) { reportLine({{"saved", coding::encode(saved)}}); };
    userInterface.didSetControllerSuspended = [this](bool isSuspended, const std::string& reason) {
        reportLine({{"suspended", isSuspended}, {"reason", reason}});
    };

    platform::Bundle bundle;
    bundle.bundleIdentifier = std::string(application_identity::bundleIdentifier);
    bundle.infoDictionary = std::move(configuration.infoDictionary);
    AppDelegateServices services{
        platform::ProcessInfo{{"tessaril"}, {}, 4242},
        std::filesystem::path("/"),
        bundle,
        std::nullopt,
        application_,
        workspace_,
        notifications_,
        KeyboardPipeline::Services{events_, *hidDevices_, inputSources_, standardDefaults_, scheduler_,
                                   *kanaKeyboardExecutor_, *modeKeyWorkerExecutor_, clock_, accessibility_, threads_,
                                   logSink_},
        [this](const std::string& name) -> platform::UserDefaults& {
            auto& suite = suites_[name];
            if (!suite) suite = std::make_unique<platform::UserDefaults>();
            return *suite;
        },
        pasteboard_,
        [] { return std::make_unique<RecordingStatusItem>(); },
        userInterface,
        loginItems_,
    };
    delegate_ = std::make_unique<AppDelegate>(std::move(services));
    application_.setDelegate(delegate_.get());
    delegate_->settings = std::move(configuration.settings);
    delegate_->selectedSettingsTab = configuration.tab;
    delegate_->kanaModeKeyboardReady = configuration.kanaModeKeyboardReady;
    if (configuration.frontmost) {
        delegate_->frontmostApplication = FrontmostApplication::make(*configuration.frontmost, delegate_->ownBundleIdentifiers());
    }
    // The status menu and the main menu are there while the window is, as in the running application.
    delegate_->configureStatusItem();
    delegate_->rebuildMenu();
    delegate_->configureMainMenu();
    keyEquivalents_ = std::make_unique<MainMenuKeyEquivalents>(*application_.mainMenu(),
                                                               [this] { application_.terminate(TerminationRequest::user); });
    QCoreApplication::instance()->installEventFilter(keyEquivalents_.get());
    scheduler_.runUntilIdle();
    reporting_ = true;
}

SettingsWindowHarness::~SettingsWindowHarness() {
    reporting_ = false;
    keyEquivalents_.reset();
    delegate_.reset();
    appkit::UIDriver::runPendingWork();
}

void SettingsWindowHarness::open() {
    delegate_->openSettingsWindow();
    finishStep();
}

void SettingsWindowHarness::close() {
    if (auto* window = qobject_cast<appkit::Window*>(delegate_->settingsWindow.data()); window && window->isVisible()) {
        window->performClose();
    }
    finishStep();
}

bool SettingsWindowHarness::chooseMenuItem(const std::string& action, const std::optional<std::string>& representedObject) {
    const bool chosen = static_cast<RecordingStatusItem&>(delegate_->statusItem()).choose(action, representedObject);
    finishStep();
    return chosen;
}

void SettingsWindowHarness::bringToFront(const std::optional<platform::RunningApplication>& application) {
    workspace_.setFrontmostApplication(application);
    delegate_->frontmostApplicationDidChange(application);
    finishStep();
}

void SettingsWindowHarness::advanceBy(std::uint64_t milliseconds) {
    scheduler_.advanceBy(milliseconds);
    finishStep();
}

void SettingsWindowHarness::report(appkit::UIDriver::Outcome outcome, const nlohmann::json& address) {
    if (outcome == appkit::UIDriver::Outcome::missing) reportLine({{"missing", address}});
    if (outcome == appkit::UIDriver::Outcome::disabled) reportLine({{"disabled", address}});
    if (outcome == appkit::UIDriver::Outcome::unreachable) reportLine({{"unreachable", address}});
    finishStep();
}

void SettingsWindowHarness::finishStep() {
    // Work of the window and work of the delegate's main queue may post more of each other.
    for (int round = 0; round < 4; ++round) {
        appkit::UIDriver::runPendingWork();
        if (scheduler_.runUntilIdle() == 0) break;
    }
    noteTabChange();
}

platform::RunningApplication SettingsWindowHarness::runningApplication(const std::string& bundleIdentifier,
                                                                       const std::optional<std::string>& name) {
    return platform::RunningApplication{bundleIdentifier, name.value_or(bundleIdentifier)};
}

void SettingsWindowHarness::reportLine(const nlohmann::json& line) {
    if (!reporting_) return;
    noteTabChange();
    reporter_(line);
}

void SettingsWindowHarness::noteTabChange() {
    if (!reporting_ || !delegate_ || delegate_->selectedSettingsTab == reportedTab_) return;
    reportedTab_ = delegate_->selectedSettingsTab;
    reporter_({{"tab", std::string(rawValue(reportedTab_))}});
}

} // namespace tessaril::replay
