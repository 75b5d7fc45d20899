#include "TessarilMac/TextActions/FixedPhraseLooksLikeHTML.hpp"

namespace tessaril {
namespace {

bool isASCIILetter(char character) {
    return (character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z');
}

} // namespace

bool fixedPhraseLooksLikeHTML(std::string_view text) {
    // The earliest tag-like start leaves the most room for a ">", so it alone decides.
    std::size_t lastClose = text.rfind('>');
    if (lastClose == std::string_view::npos) return false;
    for (std::size_t open = text.find('<'); open != std::string_view::npos && open < lastClose;
         open = text.find('<', open + 1)) {
        std::size_t letter = open + 1;
        if (letter < text.size() && text[letter] == '/') ++letter;
        if (letter < text.size() && isASCIILetter(text[letter])) return letter < lastClose;
    }
    return false;
}

} // namespace tessaril
