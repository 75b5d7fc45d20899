#include <string>

#include "TessarilCore/Support/Unicode.hpp"
#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"
#include "TessarilMac/RichText/FixedPhraseListItemMarker.hpp"

namespace tessaril::FixedPhraseAttributedTextNormalizer {
namespace {

namespace scan = scalar_scanning;

// No-break, figure and narrow no-break spaces as plain spaces.
std::string withPlainSpaces(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    std::size_t offset = 0;
    while (offset < text.size()) {
        std::size_t start = offset;
        char32_t scalar = scan::next(text, offset);
        if (scalar == U'\u00A0' || scalar == U'\u2007' || scalar == U'\u202F') {
            result += ' ';
        } else {
            result.append(text.substr(start, offset - start));
        }
    }
    return result;
}

} // namespace

bool isListItemTrimCharacter(char16_t unit) {
    if (unit >= 0xD800 && unit <= 0xDFFF) return false;
    return unicode::isWhitespaceOrNewline(unit) || unit == u'\u00A0' || unit == u'\u2007' ||
           unit == u'\u202F';
}

std::string normalizedListItemBody(std::string_view text) {
    std::string spaced = withPlainSpaces(text);
    std::string_view body = spaced;
    std::size_t start = scan::skipScalars(body, 0, unicode::isWhitespaceOrNewline);
    std::size_t end = scan::dropTrailingScalars(body, start, body.size(), unicode::isWhitespaceOrNewline);
    body = body.substr(start, end - start);
    // Each round removes a marker and the blanks after it; the trailing end never moves again.
    while (true) {
        std::size_t markerEnd = list_item_marker::markerEnd(body, 0, true);
        if (markerEnd == 0) break;
        body = body.substr(scan::skipScalars(body, markerEnd, unicode::isWhitespaceOrNewline));
    }
    return std::string(body);
}

TextRange normalizedListItemRange(std::u16string_view body, TextRange bodyRange) {
    std::size_t start = 0;
    std::size_t end = body.size();
    auto trim = [&] {
        while (start < end && isListItemTrimCharacter(body[start]))
            ++start;
        while (end > start && isListItemTrimCharacter(body[end - 1]))
            --end;
    };
    trim();
    while (start < end) {
        std::size_t markerEnd = list_item_marker::markerEnd(body.substr(0, end), start, false);
        if (markerEnd == start) break;
        start = markerEnd;
        trim();
    }
    return {bodyRange.location + start, end - start};
}

std::string escapeMarkdownInline(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size() + text.size() / 8);
    for (char character : text) {
        switch (character) {
        case '\\':
        case '`':
        case '*':
        case '_':
        case '~':
        case '[':
        case ']':
        case '(':
        case ')':
            escaped += '\\';
            break;
        default:
            break;
        }
        escaped += character;
    }
    return escaped;
}

} // namespace tessaril::FixedPhraseAttributedTextNormalizer
