#include "TessarilMac/EventTap/TessarilSyntheticEvent.hpp"

namespace tessaril::TessarilSyntheticEvent {

void mark(platform::Event& event) { event.setIntegerValueField(platform::EventField::eventSourceUserData, marker); }

bool isMarked(const platform::Event& event) {
    return event.integerValueField(platform::EventField::eventSourceUserData) == marker;
}

} // namespace tessaril::TessarilSyntheticEvent
