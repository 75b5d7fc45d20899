#pragma once

#include <string_view>

namespace tessaril::platform {

// The Accessibility permission check (AXIsProcessTrustedWithOptions). With `prompt` true the system
// may show its own permission dialog. Called from the main thread and the event-tap thread.
class AccessibilityTrust {
public:
    static constexpr std::string_view promptOptionKey = "AXTrustedCheckOptionPrompt";

    virtual ~AccessibilityTrust() = default;
    virtual bool isProcessTrusted(bool prompt) = 0;
};

} // namespace tessaril::platform
