#include "TessarilApp/Shell/AppDelegate.hpp"

#include <utility>

#include "Platform/Foundation/UserDefaultsWriteError.hpp"
#include "Platform/Logging/ProcessLog.hpp"
#include "TessarilApp/Shell/DelegateTextActions.hpp"
#include "TessarilApp/SettingsWindow/PresetActions.hpp"
#include "TessarilApp/SettingsWindow/SettingsWindowController.hpp"
#include "TessarilApp/Shell/DeveloperSwitches.hpp"
#include "TessarilApp/Shell/InputBackendSupervisor.hpp"
#include "TessarilApp/Shell/StatusMenu.hpp"
#include "TessarilApp/Shell/SystemObservers.hpp"
#include "TessarilMac/Pipeline/TessarilApplicationIdentity.hpp"

namespace tessaril {

namespace {

// The throw-away suite of QA mode: the bundle identifier, ".QAPreview." and the process identifier.
std::string qaDefaultsSuiteName(const AppDelegateServices& services) {
    auto identifier = services.mainBundle.bundleIdentifier.value_or(std::string(application_identity::bundleIdentifier));
    return identifier + ".QAPreview." + std::to_string(services.processInfo.processIdentifier);
}

} // namespace

AppDelegate::AppDelegate(AppDelegateServices services)
    : qaSettingsPreviewRequest(QASettingsPreviewRequest::current(services.processInfo, services.currentDirectory)),
      disablesInputBackendForPreview(DeveloperSwitches::isOn(services.processInfo,
                                                             DeveloperSwitches::disableInputBackendVariable,
                                                             DeveloperSwitches::disableInputBackendArgument)),
      opensSettingsWindowOnLaunch(DeveloperSwitches::isOn(services.processInfo,
                                                          DeveloperSwitches::openSettingsOnLaunchVariable,
                                                          DeveloperSwitches::openSettingsOnLaunchArgument)),
      services_(std::move(services)),
      lifetime_(std::make_shared<AppDelegate*>(this)) {
    platform::ProcessLog processLog(services_.pipeline.logSink);
    if (qaSettingsPreviewRequest) {
        // The user's stored settings are neither read nor written: an emptied suite and the defaults.
        platform::UserDefaults& suite = services_.openDefaultsSuite(qaDefaultsSuiteName(services_));
        try {
            suite.removePersistentDomain();
        } catch (const platform::UserDefaultsWriteError& error) {
            processLog.write("Tessaril QA defaults suite could not be emptied: " + std::string(error.what()));
        }
        settingsStore_ = std::make_unique<TessarilSettingsStore>(suite, processLog);
        settings = TessarilSettings();
    } else {
        settingsStore_ = std::make_unique<TessarilSettingsStore>(services_.pipeline.defaults, processLog);
        settings = settingsStore_->load();
    }
    pipeline_ = std::make_unique<KeyboardPipeline>(*this, settings, services_.pipeline);
    supervisor_ = std::make_unique<InputBackendSupervisor>(*this);
    statusMenu_ = std::make_unique<StatusMenu>(*this);
    systemObservers_ = std::make_unique<SystemObservers>(*this);
}

AppDelegate::~AppDelegate() {
    lifetime_.reset();
    if (accessibilityTrustMonitor) accessibilityTrustMonitor->invalidate();
    systemObservers_.reset();
    supervisor_.reset();
    // Stops the tap and drops the pipeline's work before anything it calls into goes.
    pipeline_.reset();
    // Each pointer is read in its turn: a panel may be a child of a window deleted before it.
    for (QPointer<QWidget>* window : {&characterCountHUDPanel, &onboardingPopover, &shortcutRegistryConflictPanel,
                                      &featureSetModalWindow, &settingsWindow}) {
        delete window->data();
    }
}

StatusItem& AppDelegate::statusItem() {
    if (!statusItem_) statusItem_ = services_.makeStatusItem();
    return *statusItem_;
}

// ---- Start-up, reopen and terminate

void AppDelegate::applicationDidFinishLaunching() {
    services_.application.setActivationPolicy(ActivationPolicy::accessory);
    if (qaSettingsPreviewRequest) {
        // Nothing else runs in QA mode: no menus, no status item, no observers, no event tap.
        runOnMainQueue([request = *qaSettingsPreviewRequest](AppDelegate& delegate) {
            delegate.exportQASettingsPreviews(request);
        });
        return;
    }
    configureMainMenu();
    if (auto application = services_.workspace.frontmostApplication()) {
        frontmostApplication = FrontmostApplication::make(*application, ownBundleIdentifiers());
    }
    systemObservers_->observeApplicationActivation();
    observeWorkspaceLifecycleChanges();
    configureStatusItem();
    startKanaModeKeyboard();
    systemObservers_->observeSelectedInputSource();
    syncObservedInputMode();
    eventController().updateFrontmostApplicationBundleIdentifier(
        frontmostApplication ? std::optional(frontmostApplication->bundleIdentifier) : std::nullopt);
    startInputBackend(false, false);
    showOnboardingGuideIfNeeded();
    applyDefaultLoginItemRegistrationIfNeeded();
    openSettingsWindowForPreviewIfNeeded();
}

void AppDelegate::openSettingsWindowForPreviewIfNeeded() {
    if (!opensSettingsWindowOnLaunch) return;
    if (auto tab = DeveloperSwitches::launchSettingsTab(services_.processInfo)) selectedSettingsTab = *tab;
    runOnMainQueue([](AppDelegate& delegate) { delegate.openSettingsWindow(); });
}

bool AppDelegate::applicationShouldHandleReopen(bool hasVisibleWindows) {
    if (!hasVisibleWindows) openSettingsWindow();
    return true;
}

TerminateReply AppDelegate::applicationShouldTerminate(TerminationRequest request) {
    // A session ending (logout, shutdown, a signal) waits for nobody: only a person is asked.
    if (request == TerminationRequest::user && !SettingsWindowController(*this).confirmQuitDiscardingFixedPhraseEditsIfNeeded()) {
        return TerminateReply::terminateCancel;
    }
    eventTapBackend().stop();
    if (accessibilityTrustMonitor) accessibilityTrustMonitor->invalidate();
    accessibilityTrustMonitor.reset();
    eventController().resetRuntimeState();
    activeInputBackend = ActiveKeyboardInputBackend::stopped;
    return TerminateReply::terminateNow;
}

// ---- Status menu actions

bool AppDelegate::performAction(const MenuItem& sender) {
    if (!sender.action || sender.target != MenuItem::Target::delegate) return false;
    const std::string& action = *sender.action;
    if (action == "openSettingsWindow") {
        openSettingsWindow();
    } else if (action == "selectBuiltInPreset:") {
        selectBuiltInPreset(sender);
    } else if (action == "selectCustomPreset:") {
        selectCustomPreset(sender);
    } else if (action == "openAccessibilitySettings") {
        openAccessibilitySettings();
    } else if (action == "quit") {
        quit();
    } else {
        return false;
    }
    return true;
}

void AppDelegate::selectBuiltInPreset(const MenuItem& sender) { PresetActions(*this).selectBuiltInPreset(sender.representedObject); }

void AppDelegate::selectCustomPreset(const MenuItem& sender) { PresetActions(*this).selectCustomPreset(sender.representedObject); }

void AppDelegate::quit() { services_.application.terminate(TerminationRequest::user); }

// ---- Settings

void AppDelegate::persistSettings(bool shouldRebuildSettingsWindow) {
    settingsStore().save(settings);
    if (services_.userInterface.didSaveSettings) services_.userInterface.didSaveSettings(settings);
    eventController().updateSettings(settings);
    eventController().updateFrontmostApplicationBundleIdentifier(
        frontmostApplication ? std::optional(frontmostApplication->bundleIdentifier) : std::nullopt);
    rebuildMenu();
    // The page always shows what was saved: unsaved phrase panels ride the rebuild as drafts.
    if (shouldRebuildSettingsWindow && isSettingsWindowVisible()) rebuildSettingsWindow();
}

bool AppDelegate::isSettingsWindowVisible() const { return settingsWindow && settingsWindow->isVisible(); }

// ---- Calls of the keyboard pipeline

void AppDelegate::setStatusText(const std::string& text) {
    lastStatus = text;
    updateStatusItem();
}

void AppDelegate::dispatchTextInsertion(const std::string& text) { pipeline_->insertText(text); }

void AppDelegate::dispatchTextInsertionAndCursorMove(const std::string& text, std::int64_t count) {
    pipeline_->insertTextAndMoveCursorLeft(text, count);
}

// ---- Deferred work

void AppDelegate::runOnMainQueue(std::function<void(AppDelegate&)> body) {
    std::weak_ptr<AppDelegate*> weak = lifetime_;
    services_.pipeline.mainExecutor.post([weak, body = std::move(body)] {
        if (auto self = weak.lock()) body(**self);
    });
}

platform::DelayedWorkItem AppDelegate::runAfter(std::chrono::nanoseconds delay, std::function<void(AppDelegate&)> body) {
    std::weak_ptr<AppDelegate*> weak = lifetime_;
    return services_.pipeline.mainExecutor.postAfter(delay, [weak, body = std::move(body)] {
        if (auto self = weak.lock()) body(**self);
    });
}

void AppDelegate::runOnMainThread(std::function<void(AppDelegate&)> body) {
    if (services_.pipeline.mainExecutor.isCurrent()) {
        body(*this);
    } else {
        runOnMainQueue(std::move(body));
    }
}

} // namespace tessaril
