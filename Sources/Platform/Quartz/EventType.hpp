#pragma once

#include <cstdint>

namespace tessaril::platform {

// The type of a Quartz event. Only the types this system meets are named; any other number can
// still be carried (`static_cast<EventType>(n)`).
enum class EventType : std::uint32_t {
    null = 0,
    leftMouseDown = 1,
    rightMouseDown = 3,
    keyDown = 10,
    keyUp = 11,
    flagsChanged = 12,
    otherMouseDown = 25,
    tapDisabledByTimeout = 0xFFFFFFFE,
    tapDisabledByUserInput = 0xFFFFFFFF,
};

// The bit of an event type in an event mask.
constexpr std::uint64_t eventMaskBit(EventType type) {
    auto number = static_cast<std::uint32_t>(type);
    return number < 64 ? std::uint64_t{1} << number : 0;
}

} // namespace tessaril::platform
