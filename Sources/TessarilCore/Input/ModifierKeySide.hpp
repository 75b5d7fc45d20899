#pragma once

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// The side of an Option or Control key. Coded as {"left":{}} or {"right":{}}.
enum class ModifierKeySide { left, right };

template <> struct EnumCases<ModifierKeySide> {
    static constexpr std::string_view typeName = "ModifierKeySide";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::caseObject;
    static constexpr std::array<std::pair<ModifierKeySide, std::string_view>, 2> cases{{
        {ModifierKeySide::left, "left"},
        {ModifierKeySide::right, "right"},
    }};
};

} // namespace tessaril
