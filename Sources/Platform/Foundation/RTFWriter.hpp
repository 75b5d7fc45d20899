#pragma once

#include <string>

#include "Platform/Foundation/AttributedText.hpp"

namespace tessaril::platform {

// Writes attributed text as an RTF document: a header with the font table (fixed pitch and weights
// other than regular and bold kept in the entries), the colour table with an expanded colour table
// for alpha and components finer than 8 bits, and the list tables with their marker formats; then
// every paragraph with its alignment, indents, spacing, tab stops and list, and every run with its
// font, colours, underline, strikethrough and link (as a HYPERLINK field). Every UTF-16 unit outside
// printable ASCII is written as \uN. RTFReader reads the document back into the same text, within
// RTF's units: sizes to half points, lengths to twips, colour components to 1/100000; a paragraph
// style equal to the default reads back as none. Stateless; any thread.
class RTFWriter {
public:
    RTFWriter() = delete;

    static std::string write(const AttributedText& text);
};

} // namespace tessaril::platform
