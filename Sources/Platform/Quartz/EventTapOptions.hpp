#pragma once

#include <cstdint>

namespace tessaril::platform {

// An active filter may change or swallow events; a listen-only tap only watches.
enum class EventTapOptions : std::uint32_t { defaultTap = 0, listenOnly = 1 };

} // namespace tessaril::platform
