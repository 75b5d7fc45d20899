#pragma once

#include <string_view>

#include "TessarilCore/Rules/SinglePairAssistSettings.hpp"

namespace tessaril {

// The standard bracket assist: Control+Shift+] types 【 】.
struct PairInsertionAssistStandard {
    static constexpr std::string_view typeName = "PairInsertionAssistSettings";
    static Shortcut trigger() { return Shortcut::controlShiftCloseBracket(); }
    static constexpr std::string_view openingText = "\u3010";
    static constexpr std::string_view closingText = "\u3011";
};

// The bracket pair of the older settings form.
using PairInsertionAssistSettings = SinglePairAssistSettings<PairInsertionAssistStandard>;

} // namespace tessaril
