#include "Platform/Quartz/Event.hpp"

namespace tessaril::platform {

Event Event::keyboard(EventType type, std::int64_t keyCode, EventFlags flags, std::uint64_t timestamp) {
    Event event;
    event.setType(type);
    event.setIntegerValueField(EventField::keyboardEventKeycode, keyCode);
    event.setFlags(flags);
    event.setTimestamp(timestamp);
    return event;
}

std::int64_t Event::integerValueField(EventField field) const {
    auto found = fields_.find(field);
    return found == fields_.end() ? 0 : found->second;
}

void Event::setIntegerValueField(EventField field, std::int64_t value) { fields_[field] = value; }

} // namespace tessaril::platform
