#pragma once

#include <cstdint>

namespace tessaril::platform {

// The modifier flags of an event, a bit mask.
using EventFlags = std::uint64_t;

namespace event_flags {
inline constexpr EventFlags maskAlphaShift = 0x10000;  // caps lock
inline constexpr EventFlags maskShift = 0x20000;
inline constexpr EventFlags maskControl = 0x40000;
inline constexpr EventFlags maskAlternate = 0x80000;
inline constexpr EventFlags maskCommand = 0x100000;
inline constexpr EventFlags maskNumericPad = 0x200000;
inline constexpr EventFlags maskSecondaryFn = 0x800000;
} // namespace event_flags

} // namespace tessaril::platform
