#pragma once

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// The side of a Command key. Coded as {"left":{}} or {"right":{}}.
enum class CommandKeySide { left, right };

template <> struct EnumCases<CommandKeySide> {
    static constexpr std::string_view typeName = "CommandKeySide";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::caseObject;
    static constexpr std::array<std::pair<CommandKeySide, std::string_view>, 2> cases{{
        {CommandKeySide::left, "left"},
        {CommandKeySide::right, "right"},
    }};
};

} // namespace tessaril
