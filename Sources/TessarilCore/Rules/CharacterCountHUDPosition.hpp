#pragma once

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// Where the character-count panel appears: at the mouse pointer or at a fixed place.
enum class CharacterCountHUDPosition { pointer, fixed };

template <> struct EnumCases<CharacterCountHUDPosition> {
    static constexpr std::string_view typeName = "CharacterCountHUDPosition";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<CharacterCountHUDPosition, std::string_view>, 2> cases{{
        {CharacterCountHUDPosition::pointer, "pointer"},
        {CharacterCountHUDPosition::fixed, "fixed"},
    }};
};

} // namespace tessaril
