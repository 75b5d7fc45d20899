#pragma once

#include <cstdint>

#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Input/Shortcut.hpp"

namespace tessaril {

// One key-down that forms a shortcut, as the rule engine sees it; built on the event-tap thread.
struct ShortcutAttempt {
    Shortcut shortcut;               // the modifiers held and the key, in base form
    std::int64_t timeMilliseconds = 0;
    bool isRepeat = false;           // an auto-repeat key-down

    friend bool operator==(const ShortcutAttempt&, const ShortcutAttempt&) = default;
};

template <> struct JSONCoding<ShortcutAttempt> {
    static Json encode(const ShortcutAttempt& attempt);
    static ShortcutAttempt decode(const Json& value);
};

} // namespace tessaril
