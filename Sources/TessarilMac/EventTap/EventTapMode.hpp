#pragma once

namespace tessaril {

// Whether the event tap only watches key events or may swallow them.
enum class EventTapMode { observeOnly, interceptKeyboardEvents };

} // namespace tessaril
