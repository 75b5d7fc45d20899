#include "TessarilMac/TextActions/CharacterCountHUDContent.hpp"

#include "TessarilMac/TextActions/CharacterCountSummary.hpp"

namespace tessaril {

namespace {
constexpr double panelWidth = 292;
constexpr double heightWithText = 154;
constexpr double heightWithoutText = 76;
} // namespace

CharacterCountHUDContent CharacterCountHUDContent::make(const std::optional<std::string>& text) {
    CharacterCountHUDContent content;
    content.hasText = text && !text->empty();
    content.size = {panelWidth, content.hasText ? heightWithText : heightWithoutText};
    if (!content.hasText) return content;
    CharacterCountSummary summary(*text);
    content.rows = {
        {"文字数", std::to_string(summary.totalCharacters)},
        {"空白除く", std::to_string(summary.nonWhitespaceCharacters)},
        {"行数", std::to_string(summary.lineCount)},
        {"半角換算", std::to_string(summary.halfWidthUnits)},
    };
    return content;
}

} // namespace tessaril
