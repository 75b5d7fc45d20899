#pragma once

namespace tessaril::platform {

// The pointer buttons whose presses the session counts for "seconds since the last button event".
enum class PointerButton { left, right, other };

} // namespace tessaril::platform
