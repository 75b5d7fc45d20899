#include "TessarilMac/TextActions/CharacterCountSummary.hpp"

#include "TessarilCore/Support/Unicode.hpp"
#include "TessarilMac/RichText/ScalarScanning.hpp"

namespace tessaril {
namespace {

bool isHalfWidth(char32_t scalar) {
    return scalar < 0x7F || (scalar >= 0xFF61 && scalar <= 0xFF9F);
}

std::size_t lineBreaks(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t index = 0; index < text.size(); ++index) {
        if (text[index] == '\n') {
            ++count;
        } else if (text[index] == '\r') {
            ++count;
            if (index + 1 < text.size() && text[index + 1] == '\n') ++index;
        }
    }
    return count;
}

} // namespace

CharacterCountSummary::CharacterCountSummary(std::string_view text) {
    if (text.empty()) return;
    lineCount = lineBreaks(text) + 1;
    for (const std::string& character : unicode::characters(text)) {
        ++totalCharacters;
        std::size_t offset = 0;
        char32_t first = scalar_scanning::next(character, offset);
        if (!unicode::isWhitespace(first)) ++nonWhitespaceCharacters;
        bool halfWidth = isHalfWidth(first);
        while (halfWidth && offset < character.size())
            halfWidth = isHalfWidth(scalar_scanning::next(character, offset));
        halfWidthUnits += halfWidth ? 1 : 2;
    }
}

std::string characterCountResultText(const CharacterCountSummary& summary) {
    return "文字数\t" + std::to_string(summary.totalCharacters) + "\n空白除く\t" +
           std::to_string(summary.nonWhitespaceCharacters) + "\n行数\t" + std::to_string(summary.lineCount) +
           "\n半角換算\t" + std::to_string(summary.halfWidthUnits);
}

} // namespace tessaril
