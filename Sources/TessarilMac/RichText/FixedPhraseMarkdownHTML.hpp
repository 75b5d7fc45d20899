#pragma once

#include <string>
#include <string_view>

namespace tessaril {

// The small line-based markdown dialect of plain fixed phrases, turned into an HTML body: headings
// (h2, h3), quotes, bullet and numbered lists, fenced code and one paragraph per line; no nesting, no
// lazy continuation, no setext headings, no underscore emphasis. Pure, linear in the input, never
// fails; any thread.

// Block elements joined by line feeds, without html, head or body elements.
std::string fixedPhraseMarkdownHTMLBody(std::string_view markdown);

// One line: HTML-escaped, then inline code, links (safe targets only), strong and emphasis.
std::string fixedPhraseMarkdownInlineHTML(std::string_view line);

} // namespace tessaril
