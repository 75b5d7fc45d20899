#pragma once

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// The Japanese input mode the system switches between.
enum class InputMode { eisu, kana, fullWidthRoman, katakana, halfWidthKatakana };

template <> struct EnumCases<InputMode> {
    static constexpr std::string_view typeName = "InputMode";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<InputMode, std::string_view>, 5> cases{{
        {InputMode::eisu, "eisu"},
        {InputMode::kana, "kana"},
        {InputMode::fullWidthRoman, "fullWidthRoman"},
        {InputMode::katakana, "katakana"},
        {InputMode::halfWidthKatakana, "halfWidthKatakana"},
    }};
};

// True for the modes that type kana: kana, katakana and half-width katakana.
constexpr bool isKanaTextInput(InputMode mode) {
    return mode == InputMode::kana || mode == InputMode::katakana || mode == InputMode::halfWidthKatakana;
}

} // namespace tessaril
