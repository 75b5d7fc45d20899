#pragma once

#include <optional>

#include "TessarilApp/AppKit/Event.hpp"

class QKeyEvent;

namespace tessaril::appkit {

// A toolkit key press as the monitors see it: the ANSI virtual key code of the key, the modifier
// flags (Ctrl stands for Command on this platform, the Meta key for Control, Alt for Option) and the
// characters without modifiers. Modifier keys alone read as flags-changed events. None for keys the
// virtual key codes do not cover and that type nothing.
std::optional<Event> translateKeyEvent(const QKeyEvent& event);

} // namespace tessaril::appkit
