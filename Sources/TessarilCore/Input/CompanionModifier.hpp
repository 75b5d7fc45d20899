#pragma once

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// The modifier that turns a Command press into its modified action; also a keypad-hack modifier.
enum class CompanionModifier { shift, option, control };

template <> struct EnumCases<CompanionModifier> {
    static constexpr std::string_view typeName = "CompanionModifier";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<CompanionModifier, std::string_view>, 3> cases{{
        {CompanionModifier::shift, "shift"},
        {CompanionModifier::option, "option"},
        {CompanionModifier::control, "control"},
    }};
};

} // namespace tessaril
