#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Platform/LoginItem/LoginItemService.hpp"

namespace tessaril::platform {

// A login item driven by hand: the test sets where the application runs from and the status, and
// can make the next registrations and unregistrations fail. Registering makes the status enabled,
// unregistering not registered; every call that changes something is recorded. Main thread.
class RecordingLoginItemService final : public LoginItemService {
public:
    static constexpr const char* settingsURL = "file:///home/user/.config/autostart";

    explicit RecordingLoginItemService(bool installed = false,
                                       LoginItemStatus status = LoginItemStatus::notRegistered)
        : installed_(installed), status_(status) {}

    bool isInstalled() const override { return installed_; }
    LoginItemStatus status() const override { return status_; }
    void registerItem() override;
    void unregisterItem() override;
    std::string loginItemsSettingsURL() const override { return settingsURL; }

    void setInstalled(bool installed) { installed_ = installed; }
    void setStatus(LoginItemStatus status) { status_ = status; }
    // Calls fail with a LoginItemError of this description while it is set.
    void setFailure(std::optional<std::string> description) { failure_ = std::move(description); }
    // "register" and "unregister", in the order they were called, failed ones included.
    const std::vector<std::string>& calls() const { return calls_; }

private:
    void fail();

    bool installed_;
    LoginItemStatus status_;
    std::optional<std::string> failure_;
    std::vector<std::string> calls_;
};

} // namespace tessaril::platform
