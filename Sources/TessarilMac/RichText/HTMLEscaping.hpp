#pragma once

#include <string>
#include <string_view>

namespace tessaril {

// How much of a text becomes entities when it is written into HTML. Every level escapes "&", "<"
// and ">"; the levels add what their context needs.
enum class HTMLEscaping {
    markupOnly,     // text outside tags ("&", "<", ">")
    text,           // text of generated markup, double quote included
    attributeValue, // a double-quoted attribute value, apostrophe included as "&#39;"
};

std::string escapedHTML(std::string_view text, HTMLEscaping escaping);

} // namespace tessaril
