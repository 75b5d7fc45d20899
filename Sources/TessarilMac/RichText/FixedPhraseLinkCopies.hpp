#pragma once

#include <optional>

#include "Platform/Foundation/AttributedText.hpp"

namespace tessaril {

// For the forms that write a link once per paragraph (semantic HTML, markdown): the text with every
// link span whose repeated target would cost more than the link copy budget allows left as plain
// text, so that a long target over many short paragraphs stays linear in the output; none when every
// link fits.
std::optional<platform::AttributedText> fixedPhraseTextWithAffordableLinks(const platform::AttributedText& text);

} // namespace tessaril
