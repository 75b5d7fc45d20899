#pragma once

#include <cstdint>

namespace tessaril::platform {

// Where in the event stream a tap sits or an event is posted, in the order events pass them.
enum class EventTapLocation : std::uint32_t { hidEventTap = 0, sessionEventTap = 1, annotatedSessionEventTap = 2 };

} // namespace tessaril::platform
