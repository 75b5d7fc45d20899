#pragma once

#include <string>
#include <string_view>

namespace tessaril {

// The fixed document around every generated HTML body (markdown and rich phrases), so receiving
// applications see the same fonts, spacing and code styling whatever the body holds.
std::string_view fixedPhraseHTMLFrameHead();
std::string_view fixedPhraseHTMLFrameTail();
// Head, body, tail, without separators: the body follows "<body>" directly.
std::string fixedPhraseHTMLDocument(std::string_view body);

} // namespace tessaril
