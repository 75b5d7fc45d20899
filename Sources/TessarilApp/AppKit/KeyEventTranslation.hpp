#pragma once

#include <memory>
#include <optional>

#include "TessarilApp/AppKit/Event.hpp"

class QKeyEvent;

namespace tessaril::appkit {

// A toolkit key press as the monitors see it: the ANSI virtual key code of the key, the modifier
// flags (Ctrl stands for Command on this platform, the Meta key for Control, Alt for Option) and the
// characters without modifiers. Modifier keys alone read as flags-changed events. None for keys the
// virtual key codes do not cover and that type nothing.
std::optional<Event> translateKeyEvent(const QKeyEvent& event);

// The toolkit key press a key-down event stands for, the other way round: the special keys by their
// key code, any other key by its characters. None for other events and keys without characters.
std::unique_ptr<QKeyEvent> keyPressFor(const Event& event);

} // namespace tessaril::appkit
