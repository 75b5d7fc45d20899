#pragma once

#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Input/Shortcut.hpp"

namespace tessaril {

// The shortcut of one text tool and whether it is on. A value; any thread.
struct TextToolShortcutRule {
    bool isEnabled = false;
    Shortcut shortcut;

    // Whether an attempt of `attempt` runs this tool.
    bool matches(const Shortcut& attempt) const noexcept { return isEnabled && shortcut == attempt; }

    friend bool operator==(const TextToolShortcutRule&, const TextToolShortcutRule&) = default;
};

template <> struct JSONCoding<TextToolShortcutRule> {
    static Json encode(const TextToolShortcutRule& rule);
    static TextToolShortcutRule decode(const Json& value);
};

} // namespace tessaril
