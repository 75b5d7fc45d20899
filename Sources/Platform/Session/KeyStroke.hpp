#pragma once

#include <cstdint>

#include "Platform/Quartz/EventFlags.hpp"

namespace tessaril::platform {

// One hardware keyboard event as a keyboard reports it to the session: the key, the modifier flags
// that stand after it, the keyboard's type number and whether it is an auto-repeat. The key code is the
// event field's whole range: whoever reads it decides what a code outside the keyboard's means.
struct KeyStroke {
    std::int64_t keyCode = 0;
    EventFlags flags = 0;
    std::int64_t keyboardType = 40;
    bool autorepeat = false;

    friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

} // namespace tessaril::platform
