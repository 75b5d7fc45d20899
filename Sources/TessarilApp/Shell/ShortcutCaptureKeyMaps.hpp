#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "TessarilCore/Input/ShortcutKey.hpp"

namespace tessaril {

// The keys a shortcut capture understands, by virtual key code: the 47 character keys of the ANSI
// layout with their unshifted characters, and the same as shortcut keys with the keypad period (65)
// added. Built once, before anything else, and never changed; any thread.
const std::map<std::uint16_t, std::string>& shortcutCaptureCharacterByKeyCode();
const std::map<std::uint16_t, ShortcutKey>& shortcutCaptureKeyByKeyCode();

} // namespace tessaril
