#pragma once

namespace tessaril {

// What the application learns, on the main queue, after the system disabled the event tap.
enum class EventTapInterruptionReason { accessibilityRevoked, tapReenabledAfterInterruption };

} // namespace tessaril
