#include "TessarilApp/Shell/SystemObservers.hpp"

#include <algorithm>
#include <array>

#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilApp/Shell/InputBackendSupervisor.hpp"
#include "TessarilMac/Pipeline/TessarilApplicationIdentity.hpp"

namespace tessaril {

namespace {

using platform::WorkspaceNotification;

// The pages that show per-application settings and follow the frontmost application.
constexpr std::array<SettingsTab, 5> perApplicationTabs{SettingsTab::keypadHacks, SettingsTab::shortcutGuard,
                                                        SettingsTab::writingAssist, SettingsTab::fixedPhrases,
                                                        SettingsTab::shortcutRegistry};

} // namespace

SystemObservers::~SystemObservers() {
    for (auto token : workspaceTokens_) delegate_.services().workspace.removeObserver(token);
    if (inputSourceToken_) delegate_.services().distributedNotificationCenter.removeObserver(*inputSourceToken_);
}

void SystemObservers::observeApplicationActivation() {
    workspaceTokens_.push_back(delegate_.services().workspace.addObserver(
        WorkspaceNotification::didActivateApplication, [this](const std::optional<platform::RunningApplication>& application) {
            delegate_.runOnMainThread([application](AppDelegate& delegate) { delegate.frontmostApplicationDidChange(application); });
        }));
}

void SystemObservers::observeWorkspaceLifecycleChanges() {
    auto suspend = [this](const std::optional<platform::RunningApplication>&) {
        delegate_.runOnMainThread([](AppDelegate& delegate) { delegate.workspaceWillSuspendInput(); });
    };
    auto resume = [this](const std::optional<platform::RunningApplication>&) {
        delegate_.runOnMainThread([](AppDelegate& delegate) { delegate.workspaceDidResumeInput(); });
    };
    platform::Workspace& workspace = delegate_.services().workspace;
    workspaceTokens_.push_back(workspace.addObserver(WorkspaceNotification::willSleep, suspend));
    workspaceTokens_.push_back(workspace.addObserver(WorkspaceNotification::didWake, resume));
    workspaceTokens_.push_back(workspace.addObserver(WorkspaceNotification::sessionDidResignActive, suspend));
    workspaceTokens_.push_back(workspace.addObserver(WorkspaceNotification::sessionDidBecomeActive, resume));
}

void SystemObservers::observeSelectedInputSource() {
    if (inputSourceToken_) return;
    // Delivered at once on the posting thread, which need not be the main thread.
    std::weak_ptr<AppDelegate*> weak = delegate_.lifetime_;
    inputSourceToken_ = delegate_.services().distributedNotificationCenter.addObserver(
        std::string(MacInputModeDispatcher::selectedInputSourceChangedNotification), [weak] {
            if (auto self = weak.lock()) {
                (*self)->runOnMainThread([](AppDelegate& delegate) { delegate.selectedInputSourceDidChange(); });
            }
        });
}

void SystemObservers::startKanaModeKeyboard() {
    std::weak_ptr<AppDelegate*> weak = delegate_.lifetime_;
    delegate_.keyboardPipeline().startKanaModeKeyboard([weak](std::exception_ptr error) {
        auto self = weak.lock();
        if (!self) return;
        AppDelegate& delegate = **self;
        // A failure is already in the status text.
        delegate.kanaModeKeyboardReady = !error;
        delegate.supervisor_->rebuildSettingsWindowIfShownStateChanged();
    });
}

void SystemObservers::syncObservedInputMode() { delegate_.keyboardPipeline().syncObservedInputMode(); }

void SystemObservers::workspaceWillSuspendInput() {
    AppDelegate& delegate = delegate_;
    if (delegate.isSystemInputSuspended) return;
    delegate.isSystemInputSuspended = true;
    delegate.eventTapBackend().stop();
    delegate.eventController().resetRuntimeState();
    if (delegate.accessibilityTrustMonitor) delegate.accessibilityTrustMonitor->invalidate();
    delegate.accessibilityTrustMonitor.reset();
    delegate.activeInputBackend = ActiveKeyboardInputBackend::stopped;
}

void SystemObservers::workspaceDidResumeInput() {
    AppDelegate& delegate = delegate_;
    if (!delegate.isSystemInputSuspended) return;
    delegate.isSystemInputSuspended = false;
    delegate.activeInputBackend = ActiveKeyboardInputBackend::stopped;
    delegate.startInputBackend(false, false);
}

void SystemObservers::frontmostApplicationDidChange(const std::optional<platform::RunningApplication>& application) {
    if (!application) return;
    auto frontmost = FrontmostApplication::make(*application, delegate_.ownBundleIdentifiers());
    // This application, or one without an identifier: the previous target stays.
    if (!frontmost) return;
    AppDelegate& delegate = delegate_;
    delegate.frontmostApplication = frontmost;
    delegate.eventController().updateFrontmostApplicationBundleIdentifier(frontmost->bundleIdentifier);
    if (delegate.selectedSettingsTab == SettingsTab::fixedPhrases && delegate.hasUnsavedFixedPhraseEdits()) return;
    if (delegate.isSettingsWindowVisible() && std::ranges::find(perApplicationTabs, delegate.selectedSettingsTab) !=
                                                  perApplicationTabs.end()) {
        delegate.rebuildSettingsWindow();
    }
}

// ---- The delegate's methods of this concern

std::set<std::string, std::less<>> AppDelegate::ownBundleIdentifiers() const {
    std::set<std::string, std::less<>> identifiers{std::string(application_identity::bundleIdentifier)};
    if (services_.mainBundle.bundleIdentifier) identifiers.insert(*services_.mainBundle.bundleIdentifier);
    return identifiers;
}

void AppDelegate::recordInputDispatchError(const std::exception_ptr& error) { pipeline_->recordInputDispatchError(error); }

void AppDelegate::startKanaModeKeyboard() { systemObservers_->startKanaModeKeyboard(); }

void AppDelegate::observeWorkspaceLifecycleChanges() { systemObservers_->observeWorkspaceLifecycleChanges(); }

void AppDelegate::syncObservedInputMode() { systemObservers_->syncObservedInputMode(); }

void AppDelegate::selectedInputSourceDidChange() { syncObservedInputMode(); }

void AppDelegate::workspaceWillSuspendInput() { systemObservers_->workspaceWillSuspendInput(); }

void AppDelegate::workspaceDidResumeInput() { systemObservers_->workspaceDidResumeInput(); }

void AppDelegate::frontmostApplicationDidChange(const std::optional<platform::RunningApplication>& application) {
    systemObservers_->frontmostApplicationDidChange(application);
}

} // namespace tessaril
