#include "Platform/Accessibility/SimulatedAccessibilityTrust.hpp"

namespace tessaril::platform {

bool SimulatedAccessibilityTrust::isProcessTrusted(bool prompt) {
    {
        std::lock_guard lock(mutex_);
        promptOptions_.push_back(prompt);
    }
    return trusted_.load();
}

std::vector<bool> SimulatedAccessibilityTrust::promptOptions() const {
    std::lock_guard lock(mutex_);
    return promptOptions_;
}

} // namespace tessaril::platform
