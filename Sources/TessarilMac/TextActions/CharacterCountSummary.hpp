#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaril {

// What the character count tells about a selected text. A character is what a user sees as one
// (a grapheme cluster). Pure; any thread.
struct CharacterCountSummary {
    std::size_t totalCharacters = 0;
    // Characters whose first scalar is not Unicode white space.
    std::size_t nonWhitespaceCharacters = 0;
    // 0 for the empty text, otherwise line breaks plus one; LF, CR LF and a lone CR each break a line.
    std::size_t lineCount = 0;
    // 1 per half-width character (every scalar below U+007F or in U+FF61…U+FF9F), 2 per other.
    std::size_t halfWidthUnits = 0;

    CharacterCountSummary() = default;
    explicit CharacterCountSummary(std::string_view text);

    friend bool operator==(const CharacterCountSummary&, const CharacterCountSummary&) = default;
};

// Four lines "label<TAB>count" joined by line feeds, no line feed at the end.
std::string characterCountResultText(const CharacterCountSummary& summary);

} // namespace tessaril
