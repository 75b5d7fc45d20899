#pragma once

#include <cstdint>

namespace tessaril::platform {

// Where a new tap goes among the taps of its location.
enum class EventTapPlacement : std::uint32_t { headInsertEventTap = 0, tailAppendEventTap = 1 };

} // namespace tessaril::platform
