#include "TessarilMac/RichText/HTMLEscaping.hpp"

namespace tessaril {

std::string escapedHTML(std::string_view text, HTMLEscaping escaping) {
    std::string escaped;
    escaped.reserve(text.size() + text.size() / 16);
    for (char character : text) {
        switch (character) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += escaping == HTMLEscaping::markupOnly ? "\"" : "&quot;";
            break;
        case '\'':
            escaped += escaping == HTMLEscaping::attributeValue ? "&#39;" : "'";
            break;
        default:
            escaped += character;
        }
    }
    return escaped;
}

} // namespace tessaril
