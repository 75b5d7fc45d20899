#pragma once

#include <string_view>

#include "Platform/Foundation/AttributedText.hpp"

namespace tessaril::platform {

// Reads the HTML the system meets (its own generated HTML and sanitised user HTML) into attributed
// text: paragraphs, divisions, headings, quotes, preformatted and inline code, lists with their marker
// text, tables (cells as tabs, rows as line ends), bold, italic, underline, strikethrough, links and
// the style attributes of any element (size, family, weight, italic, lines, colours, alignment), which
// go over what the element's tag gives. White space collapses outside pre and every block ends with a
// line feed, except that a line break inside a list item is a line separator (U+2028) within the
// item; head, style and script contents are ignored. Headings, quotes and code take the editor's own
// paragraph styles. The text starts in the 14-point system font. Nothing is ever fetched. One linear
// pass with an explicit element stack; never fails. Stateless; any thread.
class HTMLReader {
public:
    HTMLReader() = delete;

    // `html` is UTF-8; ill-formed sequences read as U+FFFD.
    static AttributedText read(std::string_view html);
};

} // namespace tessaril::platform
