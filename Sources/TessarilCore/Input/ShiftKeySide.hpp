#pragma once

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// The side of a Shift key. Coded as {"left":{}} or {"right":{}}.
enum class ShiftKeySide { left, right };

template <> struct EnumCases<ShiftKeySide> {
    static constexpr std::string_view typeName = "ShiftKeySide";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::caseObject;
    static constexpr std::array<std::pair<ShiftKeySide, std::string_view>, 2> cases{{
        {ShiftKeySide::left, "left"},
        {ShiftKeySide::right, "right"},
    }};
};

} // namespace tessaril
