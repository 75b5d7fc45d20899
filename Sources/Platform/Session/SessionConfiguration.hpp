#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Platform/Session/LangKeyTargets.hpp"
#include "Platform/TextInputSources/InputSourceProperties.hpp"

namespace tessaril::platform {

// What a simulated login session starts with: its installed input sources, the current one, the
// targets of its input method's 英数 and かな keys, and the Accessibility permission.
struct SessionConfiguration {
    // ABC, then ひらがな, カタカナ, 半角カタカナ, 全角英字 and 英字 of the Japanese input method.
    static std::vector<InputSourceProperties> defaultInputSources();
    // ひらがな for かな, ABC for 英数.
    static LangKeyTargets defaultLangKeyTargets();
    // ひらがな.
    static std::string defaultCurrentInputSource();

    // In the system's order, each listed with its own flags.
    std::vector<InputSourceProperties> inputSources = defaultInputSources();
    // By source identifier.
    std::string currentInputSource = defaultCurrentInputSource();
    LangKeyTargets langKeyTargets = defaultLangKeyTargets();
    bool accessibilityTrusted = true;

    friend bool operator==(const SessionConfiguration&, const SessionConfiguration&) = default;
};

} // namespace tessaril::platform
