#pragma once

#include <optional>

#include "TessarilApp/Shell/Application.hpp"

namespace tessaril::replay {

// The shared application object, stood in: it remembers its delegate, policy and main menu, counts
// activations and keeps the status `exit` or `terminate` ended it with instead of ending anything.
// Main thread only.
class RecordingApplication final : public Application {
public:
    void setDelegate(ApplicationDelegate* delegate) override { delegate_ = delegate; }
    void setActivationPolicy(ActivationPolicy policy) override { activationPolicy_ = policy; }
    void setMainMenu(Menu menu) override { mainMenu_ = std::move(menu); }
    void activate(bool) override { ++activationCount_; }
    // Whether one of the application's top-level windows shows.
    bool hasVisibleWindows() const override;
    void terminate() override;
    void exit(int status) override { exitStatus_ = status; }

    int activationCount() const { return activationCount_; }
    std::optional<int> exitStatus() const { return exitStatus_; }
    std::optional<ActivationPolicy> activationPolicy() const { return activationPolicy_; }
    const std::optional<Menu>& mainMenu() const { return mainMenu_; }

private:
    ApplicationDelegate* delegate_ = nullptr;
    std::optional<ActivationPolicy> activationPolicy_;
    std::optional<Menu> mainMenu_;
    int activationCount_ = 0;
    std::optional<int> exitStatus_;
};

} // namespace tessaril::replay
