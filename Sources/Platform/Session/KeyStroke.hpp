#pragma once

#include <cstdint>

#include "Platform/Quartz/EventFlags.hpp"

namespace tessaril::platform {

// One hardware keyboard event as a keyboard reports it to the session: the key, the modifier flags
// that stand after it, the keyboard's type number and whether it is an auto-repeat.
struct KeyStroke {
    std::uint16_t keyCode = 0;
    EventFlags flags = 0;
    std::int64_t keyboardType = 40;
    bool autorepeat = false;

    friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

} // namespace tessaril::platform
