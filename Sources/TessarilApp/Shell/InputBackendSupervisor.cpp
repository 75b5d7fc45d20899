#include "TessarilApp/Shell/InputBackendSupervisor.hpp"

#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilMac/EventTap/EventTapInputBackendError.hpp"

namespace tessaril {

namespace {

constexpr std::string_view toolTipPrefix = "Tessaril: ";
constexpr std::string_view trustedToolTip = "アクセシビリティ許可済み";
constexpr std::string_view untrustedToolTip = "アクセシビリティ未許可";

} // namespace

InputBackendSupervisor::~InputBackendSupervisor() { cancelRetry(); }

bool InputBackendSupervisor::isAccessibilityTrusted(bool prompt) {
    return delegate_.eventTapBackend().isAccessibilityTrusted(prompt);
}

void InputBackendSupervisor::startInputBackend(bool promptForPermission, bool showGuideIfNeeded) {
    AppDelegate& delegate = delegate_;
    if (delegate.isSystemInputSuspended) return;
    if (delegate.disablesInputBackendForPreview) {
        delegate.activeInputBackend = ActiveKeyboardInputBackend::stopped;
        delegate.lastStatus = std::string(AppDelegate::previewStatus);
        updateStatusItem();
        delegate.rebuildMenu();
        return;
    }
    if (!isAccessibilityTrusted(promptForPermission)) {
        delegate.eventTapBackend().stop();
        delegate.activeInputBackend = ActiveKeyboardInputBackend::stopped;
        stopTrustMonitor();
        delegate.eventController().resetRuntimeState();
        delegate.lastStatus = std::string(AppDelegate::waitingForAccessibilityStatus);
        updateStatusItem();
        if (showGuideIfNeeded) delegate.showOnboardingGuideIfNeeded();
        scheduleAccessibilityRetry();
        delegate.rebuildMenu();
        return;
    }
    // A start, whoever asked for it, ends the polling.
    cancelRetry();
    if (!delegate.eventTapBackend().isRunning()) {
        try {
            delegate.keyboardPipeline().startInputBackend();
        } catch (const EventTapInputBackendError& error) {
            if (error.errorCase() == EventTapInputBackendError::Case::accessibilityNotTrusted) {
                delegate.eventTapBackend().stop();
                finishAccessibilityRevocation();
                return;
            }
            startFailed();
        } catch (const std::exception&) {
            startFailed();
        }
    }
    if (delegate.eventTapBackend().isRunning()) {
        delegate.activeInputBackend = ActiveKeyboardInputBackend::eventTap;
        startAccessibilityTrustMonitor();
        delegate.lastStatus = std::string(AppDelegate::runningStatus);
    }
    updateStatusItem();
    delegate.rebuildMenu();
}

void InputBackendSupervisor::startFailed() {
    stopTrustMonitor();
    delegate_.activeInputBackend = ActiveKeyboardInputBackend::stopped;
    delegate_.lastStatus = std::string(AppDelegate::cannotStartStatus);
    scheduleAccessibilityRetry();
}

void InputBackendSupervisor::scheduleAccessibilityRetry() {
    if (delegate_.disablesInputBackendForPreview || delegate_.activeInputBackend != ActiveKeyboardInputBackend::stopped) {
        return;
    }
    cancelRetry();
    delegate_.hasScheduledAccessibilityRetry = true;
    retry_ = delegate_.runAfter(AppDelegate::accessibilityRetryDelay,
                                [](AppDelegate& delegate) { delegate.supervisor_->retry(); });
}

void InputBackendSupervisor::retry() {
    retry_ = {};
    delegate_.hasScheduledAccessibilityRetry = false;
    delegate_.startInputBackend(false, false);
    rebuildSettingsWindowIfShownStateChanged();
}

void InputBackendSupervisor::cancelRetry() {
    retry_.cancel();
    retry_ = {};
    delegate_.hasScheduledAccessibilityRetry = false;
}

void InputBackendSupervisor::startAccessibilityTrustMonitor() {
    if (delegate_.disablesInputBackendForPreview) return;
    if (delegate_.accessibilityTrustMonitor && delegate_.accessibilityTrustMonitor->isValid()) return;
    std::weak_ptr<AppDelegate*> weak = delegate_.lifetime_;
    delegate_.accessibilityTrustMonitor = platform::RepeatingTimer::schedule(
        delegate_.services().pipeline.mainExecutor, AppDelegate::accessibilityTrustMonitorInterval, [weak] {
            if (auto self = weak.lock()) (*self)->verifyAccessibilityTrustWhileRunning();
        });
}

void InputBackendSupervisor::stopTrustMonitor() {
    if (delegate_.accessibilityTrustMonitor) delegate_.accessibilityTrustMonitor->invalidate();
    delegate_.accessibilityTrustMonitor.reset();
}

void InputBackendSupervisor::verifyAccessibilityTrustWhileRunning() {
    if (delegate_.activeInputBackend == ActiveKeyboardInputBackend::stopped) {
        stopTrustMonitor();
        return;
    }
    if (isAccessibilityTrusted(false)) return;
    delegate_.eventTapBackend().stop();
    finishAccessibilityRevocation();
}

void InputBackendSupervisor::finishAccessibilityRevocation() {
    AppDelegate& delegate = delegate_;
    delegate.activeInputBackend = ActiveKeyboardInputBackend::stopped;
    stopTrustMonitor();
    delegate.eventController().resetRuntimeState();
    delegate.lastStatus = std::string(AppDelegate::waitingForAccessibilityStatus);
    updateStatusItem();
    delegate.rebuildMenu();
    scheduleAccessibilityRetry();
    rebuildSettingsWindowIfShownStateChanged();
}

void InputBackendSupervisor::updateStatusItem() {
    bool trusted = isAccessibilityTrusted(false);
    // Kept also while no status area shows, for the one that may appear later.
    delegate_.statusItem().setToolTip(std::string(toolTipPrefix) + delegate_.lastStatus + " / " +
                    std::string(trusted ? trustedToolTip : untrustedToolTip));
}

InputBackendSupervisor::ShownState InputBackendSupervisor::shownState() {
    return ShownState{delegate_.activeInputBackend, delegate_.lastStatus, isAccessibilityTrusted(false),
                      delegate_.kanaModeKeyboardReady};
}

void InputBackendSupervisor::settingsWindowDidRebuild() { shownInSettingsWindow_ = shownState(); }

bool InputBackendSupervisor::shouldRebuildSettingsWindow(bool isWindowVisible, bool hasUnsavedFixedPhraseEdits,
                                                         const std::optional<ShownState>& builtWith,
                                                         const ShownState& current) {
    return isWindowVisible && !hasUnsavedFixedPhraseEdits && builtWith != current;
}

void InputBackendSupervisor::rebuildSettingsWindowIfShownStateChanged() {
    if (!delegate_.isSettingsWindowVisible()) return;
    auto state = shownState();
    if (!shouldRebuildSettingsWindow(true, delegate_.hasUnsavedFixedPhraseEdits(), shownInSettingsWindow_, state)) return;
    delegate_.rebuildSettingsWindow();
    shownInSettingsWindow_ = std::move(state);
}

// ---- The delegate's methods of this concern

void AppDelegate::startInputBackend(bool promptForPermission, bool showGuideIfNeeded) {
    supervisor_->startInputBackend(promptForPermission, showGuideIfNeeded);
}

void AppDelegate::scheduleAccessibilityRetry() { supervisor_->scheduleAccessibilityRetry(); }

void AppDelegate::startAccessibilityTrustMonitor() { supervisor_->startAccessibilityTrustMonitor(); }

void AppDelegate::verifyAccessibilityTrustWhileRunning() { supervisor_->verifyAccessibilityTrustWhileRunning(); }

void AppDelegate::finishAccessibilityRevocation() { supervisor_->finishAccessibilityRevocation(); }

void AppDelegate::updateStatusItem() { supervisor_->updateStatusItem(); }

void AppDelegate::settingsWindowDidRebuild() { supervisor_->settingsWindowDidRebuild(); }

} // namespace tessaril
