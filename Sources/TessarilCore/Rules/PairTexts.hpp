#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril::pair_texts {

// What typing a pair inserts: the opening text directly followed by the closing text.
inline std::string insertedText(std::string_view openingText, std::string_view closingText) {
    std::string text(openingText);
    text += closingText;
    return text;
}

// How far the cursor moves left after typing the pair to land between its two texts; the text
// system moves by user-perceived characters, so count those.
inline std::size_t cursorLeftCount(std::string_view closingText) { return unicode::characterCount(closingText); }

} // namespace tessaril::pair_texts
