#include "Platform/Session/SessionConfiguration.hpp"

namespace tessaril::platform {

namespace {

const std::string romajiTyping = "com.apple.inputmethod.Kotoeri.RomajiTyping.";

InputSourceProperties source(std::string sourceID, std::optional<std::string> inputModeID, std::string name) {
    return InputSourceProperties{std::move(sourceID), std::move(inputModeID), std::move(name), true, true};
}

} // namespace

std::vector<InputSourceProperties> SessionConfiguration::defaultInputSources() {
    return {
        source("com.apple.keylayout.ABC", std::nullopt, "ABC"),
        source(romajiTyping + "Japanese", "com.apple.inputmethod.Japanese", "ひらがな"),
        source(romajiTyping + "Japanese.Katakana", "com.apple.inputmethod.Japanese.Katakana", "カタカナ"),
        source(romajiTyping + "Japanese.HalfWidthKana", "com.apple.inputmethod.Japanese.HalfWidthKana", "半角カタカナ"),
        source(romajiTyping + "Japanese.FullWidthRoman", "com.apple.inputmethod.Japanese.FullWidthRoman", "全角英字"),
        source(romajiTyping + "Roman", "com.apple.inputmethod.Roman", "英字"),
    };
}

LangKeyTargets SessionConfiguration::defaultLangKeyTargets() {
    return LangKeyTargets{romajiTyping + "Japanese", "com.apple.keylayout.ABC"};
}

std::string SessionConfiguration::defaultCurrentInputSource() { return romajiTyping + "Japanese"; }

} // namespace tessaril::platform
