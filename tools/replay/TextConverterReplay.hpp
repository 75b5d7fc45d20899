#pragma once

#include <vector>

#include "TextReplay.hpp"

namespace tessaril::replay {

// The fixed-phrase converters as rows of `text FUNCTION`: markdown, the sanitiser, HTML detection and
// plain text, the payload functions, the character count, the normaliser, semantic HTML and its CSS.
const std::vector<TextFunction>& textConverterFunctions();

} // namespace tessaril::replay
