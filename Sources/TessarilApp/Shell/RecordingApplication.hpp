#pragma once

#include <optional>

#include "TessarilApp/Shell/Application.hpp"

namespace tessaril {

// An application object that keeps what it was asked: the activation policy, the main menu, how often
// it was brought forward, whether it terminated and the status it exited with. Terminating asks the
// delegate as the real one does (a session's request ends it whatever the answer); whether windows
// show is set by the test. Main thread.
class RecordingApplication final : public Application {
public:
    void setDelegate(ApplicationDelegate* delegate) override { delegate_ = delegate; }
    void setActivationPolicy(ActivationPolicy policy) override { policy_ = policy; }
    void setMainMenu(Menu menu) override { mainMenu_ = std::move(menu); }
    void activate(bool) override { ++activations_; }
    bool hasVisibleWindows() const override { return hasVisibleWindows_; }
    void terminate(TerminationRequest request) override;
    void exit(int status) override { exitStatus_ = status; }

    void setHasVisibleWindows(bool visible) { hasVisibleWindows_ = visible; }
    // The user launched the application again.
    void reopen();

    std::optional<ActivationPolicy> activationPolicy() const { return policy_; }
    const std::optional<Menu>& mainMenu() const { return mainMenu_; }
    int activations() const { return activations_; }
    bool hasTerminated() const { return hasTerminated_; }
    std::optional<int> exitStatus() const { return exitStatus_; }

private:
    ApplicationDelegate* delegate_ = nullptr;
    std::optional<ActivationPolicy> policy_;
    std::optional<Menu> mainMenu_;
    int activations_ = 0;
    bool hasVisibleWindows_ = false;
    bool hasTerminated_ = false;
    std::optional<int> exitStatus_;
};

} // namespace tessaril
