#pragma once

namespace tessaril {

// The controller's answer to the event tap for one event.
enum class KeyboardInputDecision { passThrough, suppress };

} // namespace tessaril
