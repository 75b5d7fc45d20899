#pragma once

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// Whether a key event presses or releases its key.
enum class KeyPhase { down, up };

template <> struct EnumCases<KeyPhase> {
    static constexpr std::string_view typeName = "KeyPhase";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::caseObject;
    static constexpr std::array<std::pair<KeyPhase, std::string_view>, 2> cases{{
        {KeyPhase::down, "down"},
        {KeyPhase::up, "up"},
    }};
};

} // namespace tessaril
