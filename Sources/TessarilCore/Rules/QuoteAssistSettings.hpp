#pragma once

#include <string_view>

#include "TessarilCore/Rules/SinglePairAssistSettings.hpp"

namespace tessaril {

// The standard quote assist: Control+Shift+' types “ ”.
struct QuoteAssistStandard {
    static constexpr std::string_view typeName = "QuoteAssistSettings";
    static Shortcut trigger() { return Shortcut::controlShiftQuote(); }
    static constexpr std::string_view openingText = "\u201C";
    static constexpr std::string_view closingText = "\u201D";
};

// The quote pair of the older settings form.
using QuoteAssistSettings = SinglePairAssistSettings<QuoteAssistStandard>;

} // namespace tessaril
