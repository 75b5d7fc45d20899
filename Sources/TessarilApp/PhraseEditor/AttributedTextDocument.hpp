#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "Platform/Foundation/AttributedText.hpp"

namespace tessaril {

// Attributed text in and out of a Qt document, exactly: what is written is read back with every
// character, attribute and line end (LF, CR, CRLF, U+2029, U+0085 each stay what they were), even
// where Qt keeps only one kind of paragraph break.

// Replaces the cursor's selection by the text and leaves the cursor after it. The paragraphs it
// touches are laid out after their first characters.
void insertAttributedText(QTextCursor& cursor, const platform::AttributedText& text);

// The whole document as attributed text.
platform::AttributedText documentAttributedText(const QTextDocument& document);

// The paragraph style that lays out a block: its first character's; for an empty paragraph, its line
// end's; for the empty last line, the attributes Qt types there.
std::optional<platform::ParagraphStyle> blockParagraphStyle(const QTextBlock& block);

// The space in front of a list item where its drawn marker goes.
inline constexpr double listMarkerRoom = 24;

// How a block is laid out: after its paragraph style, with the first line of a list item whose marker
// the view draws moved to the item's indent, leaving the marker its room.
QTextBlockFormat displayedBlockFormat(const QTextBlock& block);

// Lays out the blocks first…last after their paragraph styles; a block already laid out so is left
// alone. Answers whether a block changed.
bool restyleBlocks(const QTextBlock& first, const QTextBlock& last);

// Positions in the text (UTF-16 units) and in the document (where a CRLF is one paragraph break).
// Taken from one state of the document.
class DocumentTextPositions {
public:
    explicit DocumentTextPositions(const QTextDocument& document);

    std::size_t textPosition(int documentPosition) const;
    // A position inside a CRLF maps to the paragraph break.
    int documentPosition(std::size_t textPosition) const;
    std::size_t textLength() const { return textLength_; }

private:
    struct Block {
        int documentStart;
        std::size_t textStart;
        std::size_t contentLength;
    };
    std::vector<Block> blocks_;
    std::size_t textLength_ = 0;
};

} // namespace tessaril
