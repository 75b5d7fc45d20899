#pragma once

#include <array>
#include <string_view>
#include <utility>

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// Whether the keyboard event tap runs.
enum class ActiveKeyboardInputBackend { stopped, eventTap };

template <> struct EnumCases<ActiveKeyboardInputBackend> {
    static constexpr std::string_view typeName = "ActiveKeyboardInputBackend";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<ActiveKeyboardInputBackend, std::string_view>, 2> cases{{
        {ActiveKeyboardInputBackend::stopped, "stopped"},
        {ActiveKeyboardInputBackend::eventTap, "event-tap"},
    }};
};

} // namespace tessaril
