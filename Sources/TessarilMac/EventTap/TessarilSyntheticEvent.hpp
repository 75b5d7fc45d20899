#pragma once

#include <cstdint>

#include "Platform/Quartz/Event.hpp"

namespace tessaril::TessarilSyntheticEvent {

// "TESSARIL" as eight ASCII bytes, big-endian: the source user-data value of every event the system
// posts, so its own event tap lets them pass.
inline constexpr std::int64_t marker = 0x544553534152494C;

void mark(platform::Event& event);
bool isMarked(const platform::Event& event);

} // namespace tessaril::TessarilSyntheticEvent
