#include "TessarilMac/EventTap/PointerButtonActivity.hpp"

namespace tessaril {

bool PointerButtonActivity::buttonWentDown(const platform::EventSystem& events, double withinSeconds) {
    using platform::EventType;
    for (EventType type : {EventType::leftMouseDown, EventType::rightMouseDown, EventType::otherMouseDown}) {
        if (events.secondsSinceLastEventType(platform::EventSourceStateID::combinedSessionState, type) <
            withinSeconds) {
            return true;
        }
    }
    return false;
}

} // namespace tessaril
