#pragma once

#include <cstdint>

namespace tessaril::platform {

// The integer fields of an event that this system reads or writes, by their Quartz numbers.
enum class EventField : std::uint32_t {
    keyboardEventAutorepeat = 8,
    keyboardEventKeycode = 9,
    keyboardEventKeyboardType = 10,
    eventSourceUserData = 42,
};

} // namespace tessaril::platform
