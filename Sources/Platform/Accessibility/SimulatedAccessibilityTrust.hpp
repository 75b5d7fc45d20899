#pragma once

#include <atomic>
#include <mutex>
#include <vector>

#include "Platform/Accessibility/AccessibilityTrust.hpp"

namespace tessaril::platform {

// The permission as a switch the test or the simulated session sets; every check is recorded with
// its prompt option. Linux has no such permission, so the running application is granted it.
// Any thread; one lock for the record.
class SimulatedAccessibilityTrust final : public AccessibilityTrust {
public:
    explicit SimulatedAccessibilityTrust(bool trusted = true) : trusted_(trusted) {}

    bool isProcessTrusted(bool prompt) override;

    void setTrusted(bool trusted) { trusted_.store(trusted); }
    // The prompt option of each check, in order.
    std::vector<bool> promptOptions() const;

private:
    std::atomic<bool> trusted_;
    mutable std::mutex mutex_;
    std::vector<bool> promptOptions_;
};

} // namespace tessaril::platform
