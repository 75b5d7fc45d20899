#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "Platform/Foundation/AttributedText.hpp"

namespace tessaril::platform {

// Reads RTF into attributed text: text (\uN with its fallback, \'hh through the document's or the
// font's code page), fonts, sizes, bold, italic, underline kinds, strikethrough, colours (with the
// expanded colour table's alpha), highlights, alignment, indents, spacing, tab stops, list tables,
// HYPERLINK fields as links, table cells as tabs and rows as line ends. What carries no text
// (document information, style sheets, pictures, objects, headers, footers, theme data, unknown
// destinations) is skipped. The input is untrusted: reading is one linear pass that never recurses,
// tolerates unbalanced braces and never fails once the data starts like RTF. Stateless; any thread.
class RTFReader {
public:
    RTFReader() = delete;

    // Throws RTFReadError unless the data starts with "{\rtf" after white space.
    static AttributedText read(std::span<const std::uint8_t> data);
    static AttributedText read(std::string_view data);
};

} // namespace tessaril::platform
