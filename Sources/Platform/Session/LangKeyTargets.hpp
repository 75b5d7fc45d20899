#pragma once

#include <string>

namespace tessaril::platform {

// The sources the session's input method selects when the 英数 (key code 102) and かな (key code 104)
// keys go down, by source identifier.
struct LangKeyTargets {
    std::string kana;
    std::string eisu;

    friend bool operator==(const LangKeyTargets&, const LangKeyTargets&) = default;
};

} // namespace tessaril::platform
