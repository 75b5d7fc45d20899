#pragma once

#include <optional>
#include <string>

#include "Platform/Dispatch/DelayedWorkItem.hpp"
#include "TessarilApp/Shell/ActiveKeyboardInputBackend.hpp"

namespace tessaril {

class AppDelegate;

// Runs the keyboard event tap when the Accessibility permission allows it and keeps the status text,
// the tooltip and the status menu truthful about it: without the permission (or after a failed start)
// it retries a second later, again and again, with one retry pending at most; while the tap runs it
// checks the permission every two seconds and takes the tap down when it is withdrawn. The settings
// window is rebuilt for it only when what the window shows of it changed and no fixed-phrase edits
// are unsaved, so a poll never wipes what the user is typing.
// Thread: main; its retry and its monitor run on the delegate's main executor and hold the delegate weakly.
class InputBackendSupervisor {
public:
    // What the settings window shows of the supervision.
    struct ShownState {
        ActiveKeyboardInputBackend activeInputBackend = ActiveKeyboardInputBackend::stopped;
        std::string lastStatus;
        bool isAccessibilityTrusted = false;
        bool kanaModeKeyboardReady = false;
        friend bool operator==(const ShownState&, const ShownState&) = default;
    };

    // A visible window without unsaved fixed-phrase edits is rebuilt when it was never built by the
    // supervision's reckoning or shows another state than the current one.
    static bool shouldRebuildSettingsWindow(bool isWindowVisible, bool hasUnsavedFixedPhraseEdits,
                                            const std::optional<ShownState>& builtWith, const ShownState& current);

    explicit InputBackendSupervisor(AppDelegate& delegate) : delegate_(delegate) {}
    ~InputBackendSupervisor();
    InputBackendSupervisor(const InputBackendSupervisor&) = delete;
    InputBackendSupervisor& operator=(const InputBackendSupervisor&) = delete;

    void startInputBackend(bool promptForPermission, bool showGuideIfNeeded);
    void scheduleAccessibilityRetry();
    void startAccessibilityTrustMonitor();
    void verifyAccessibilityTrustWhileRunning();
    void finishAccessibilityRevocation();
    void updateStatusItem();

    // What the settings window shows of the supervision was just built into it.
    void settingsWindowDidRebuild();
    // Rebuilds a visible settings window when that state changed since it was built, unless fixed-phrase
    // edits are unsaved.
    void rebuildSettingsWindowIfShownStateChanged();

private:
    void retry();
    void cancelRetry();
    void startFailed();
    void stopTrustMonitor();
    bool isAccessibilityTrusted(bool prompt);
    ShownState shownState();

    AppDelegate& delegate_;
    platform::DelayedWorkItem retry_;
    std::optional<ShownState> shownInSettingsWindow_;
};

} // namespace tessaril
