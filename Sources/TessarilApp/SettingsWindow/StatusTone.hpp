#pragma once

namespace tessaril {

// The colour of a status badge: `neutral` (card background, primary text) or `accent` (amber,
// black text).
enum class StatusTone { neutral, accent };

} // namespace tessaril
