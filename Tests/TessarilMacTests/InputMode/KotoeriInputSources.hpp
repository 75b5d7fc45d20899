#pragma once

#include "Platform/TextInputSources/InputSourceService.hpp"

namespace tessaril::test_support {

// The Japanese input method's four modes, installed in this order as a Mac lists them.
struct KotoeriInputSources {
    platform::InputSourceRef hiragana;
    platform::InputSourceRef katakana;
    platform::InputSourceRef halfWidth;
    platform::InputSourceRef fullWidthRoman;

    static constexpr const char* katakanaSourceID = "com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese.Katakana";
    static constexpr const char* halfWidthSourceID = "com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese.HalfWidthKana";
    static constexpr const char* fullWidthRomanSourceID =
        "com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese.FullWidthRoman";

    static KotoeriInputSources install(platform::InputSourceService& service) {
        return KotoeriInputSources{
            service.install({"com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese", "com.apple.inputmethod.Japanese",
                             "ひらがな", true, true}),
            service.install({katakanaSourceID, "com.apple.inputmethod.Japanese.Katakana", "カタカナ", true, true}),
            service.install({halfWidthSourceID, "com.apple.inputmethod.Japanese.HalfWidthKana", "半角カタカナ", true, true}),
            service.install({fullWidthRomanSourceID, "com.apple.inputmethod.Japanese.FullWidthRoman", "全角英字", true, true}),
        };
    }
};

} // namespace tessaril::test_support
