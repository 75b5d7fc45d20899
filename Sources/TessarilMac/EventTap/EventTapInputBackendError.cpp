#include "TessarilMac/EventTap/EventTapInputBackendError.hpp"

namespace tessaril {

std::string EventTapInputBackendError::description() const {
    switch (case_) {
    case Case::accessibilityNotTrusted: return "accessibilityNotTrusted";
    case Case::failedToCreateEventTap: return "failedToCreateEventTap";
    case Case::failedToCreateRunLoopSource: return "failedToCreateRunLoopSource";
    case Case::failedToStartEventTapThread: return "failedToStartEventTapThread";
    }
    return {};
}

} // namespace tessaril
