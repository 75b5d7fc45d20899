#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "Platform/Quartz/EventField.hpp"
#include "Platform/Quartz/EventFlags.hpp"
#include "Platform/Quartz/EventType.hpp"

namespace tessaril::platform {

// A Quartz event: its type, timestamp (uptime nanoseconds), flags, integer fields and, for keyboard
// events, the Unicode string it types (UTF-16 code units). A plain value; one thread at a time.
class Event {
public:
    Event() = default;
    // A keyboard event as a keyboard would produce it: type, key code and flags.
    static Event keyboard(EventType type, std::int64_t keyCode, EventFlags flags = 0, std::uint64_t timestamp = 0);

    EventType type() const { return type_; }
    void setType(EventType type) { type_ = type; }
    std::uint64_t timestamp() const { return timestamp_; }
    void setTimestamp(std::uint64_t nanoseconds) { timestamp_ = nanoseconds; }
    EventFlags flags() const { return flags_; }
    void setFlags(EventFlags flags) { flags_ = flags; }

    // A field never set reads 0.
    std::int64_t integerValueField(EventField field) const;
    void setIntegerValueField(EventField field, std::int64_t value);

    const std::u16string& keyboardUnicodeString() const { return unicodeString_; }
    // Takes `length` code units from `units`.
    void keyboardSetUnicodeString(std::size_t length, const char16_t* units) { unicodeString_.assign(units, length); }

    friend bool operator==(const Event&, const Event&) = default;

private:
    EventType type_ = EventType::null;
    std::uint64_t timestamp_ = 0;
    EventFlags flags_ = 0;
    std::map<EventField, std::int64_t> fields_;
    std::u16string unicodeString_;
};

} // namespace tessaril::platform
