#include "TessarilApp/PhraseEditor/UTF16Text.hpp"
#include "TessarilApp/PhraseEditor/AttributedTextDocument.hpp"

#include <algorithm>
#include <string>

#include "TessarilApp/PhraseEditor/AttributedTextFormats.hpp"
#include "TessarilApp/PhraseEditor/ListMarkerDrawing.hpp"

namespace tessaril {

using platform::AttributedText;
using platform::TextAttributes;
using platform::TextRange;

namespace {

constexpr char16_t replacementCharacter = u'\uFFFD';

// Qt turns these into paragraph and frame breaks when they come in as text.
bool isBreakForQt(char16_t unit) { return unit == u'\uFDD0' || unit == u'\uFDD1'; }

// Characters of one paragraph, each Qt-unsafe unit in a format that remembers it.
void insertParagraphText(QTextCursor& cursor, std::u16string_view text, const TextAttributes& attributes) {
    const QTextCharFormat format = textCharFormat(attributes);
    std::size_t start = 0;
    for (std::size_t index = 0; index <= text.size(); ++index) {
        if (index < text.size() && !isBreakForQt(text[index])) continue;
        if (index > start) cursor.insertText(qStringFromUTF16(text.substr(start, index - start)), format);
        if (index < text.size()) {
            QTextCharFormat substituted = format;
            substituted.setProperty(substitutedUnitProperty, static_cast<int>(text[index]));
            cursor.insertText(QString(QChar(replacementCharacter)), substituted);
        }
        start = index + 1;
    }
}

// The line end's attributes; a CRLF whose LF differs from its CR keeps the LF's as well.
void insertLineEnd(QTextCursor& cursor, std::u16string_view lineEnd, const TextAttributes& attributes,
                   const TextAttributes& lineFeedAttributes) {
    QTextCharFormat format = textCharFormat(attributes);
    if (lineEnd != u"\n") format.setProperty(lineEndProperty, qStringFromUTF16(lineEnd));
    if (lineFeedAttributes != attributes) {
        format.setProperty(lineFeedAttributesProperty, QVariant::fromValue(lineFeedAttributes));
    }
    cursor.insertBlock(QTextBlockFormat(), format);
}

std::size_t lineEndLength(const std::u16string& text, std::size_t index) {
    return text[index] == u'\r' && index + 1 < text.size() && text[index + 1] == u'\n' ? 2 : 1;
}

void appendFragmentText(AttributedText& result, const QTextFragment& fragment) {
    const QTextCharFormat format = fragment.charFormat();
    const TextAttributes attributes = textAttributes(format);
    const QString text = fragment.text();
    if (!format.hasProperty(substitutedUnitProperty)) {
        result.append(utf16View(text), attributes);
        return;
    }
    std::u16string restored(utf16View(text));
    const auto unit = static_cast<char16_t>(format.intProperty(substitutedUnitProperty));
    std::replace(restored.begin(), restored.end(), replacementCharacter, unit);
    result.append(restored, attributes);
}

std::u16string lineEndOf(const QTextCharFormat& separator) {
    const QString lineEnd = separator.stringProperty(lineEndProperty);
    return lineEnd.isEmpty() ? std::u16string(u"\n") : std::u16string(utf16View(lineEnd));
}

void appendLineEnd(AttributedText& result, const QTextCharFormat& separator) {
    const std::u16string lineEnd = lineEndOf(separator);
    const TextAttributes attributes = textAttributes(separator);
    const QVariant lineFeed = separator.property(lineFeedAttributesProperty);
    if (lineEnd == u"\r\n" && lineFeed.metaType() == QMetaType::fromType<TextAttributes>()) {
        result.append(u"\r", attributes);
        result.append(u"\n", lineFeed.value<TextAttributes>());
        return;
    }
    result.append(lineEnd, attributes);
}

} // namespace

void insertAttributedText(QTextCursor& cursor, const AttributedText& text) {
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    const int firstNumber = cursor.block().blockNumber();
    const std::u16string& string = text.string();
    const auto& runs = text.runs();
    auto run = runs.begin();
    std::size_t position = 0;
    while (position < string.size()) {
        while (run->range.end() <= position) ++run;
        if (AttributedText::isParagraphSeparator(string[position])) {
            const std::size_t length = lineEndLength(string, position);
            insertLineEnd(cursor, std::u16string_view(string).substr(position, length), run->attributes,
                          text.attributes(position + length - 1));
            position += length;
            continue;
        }
        std::size_t end = position;
        while (end < run->range.end() && !AttributedText::isParagraphSeparator(string[end])) ++end;
        insertParagraphText(cursor, std::u16string_view(string).substr(position, end - position), run->attributes);
        position = end;
    }
    restyleBlocks(cursor.document()->findBlockByNumber(firstNumber), cursor.block());
    cursor.endEditBlock();
}

AttributedText documentAttributedText(const QTextDocument& document) {
    AttributedText result;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            appendFragmentText(result, fragment.fragment());
        }
        const QTextBlock next = block.next();
        if (next.isValid()) appendLineEnd(result, next.charFormat());
    }
    return result;
}

std::optional<platform::ParagraphStyle> blockParagraphStyle(const QTextBlock& block) {
    if (block.length() > 1) {
        const auto fragment = block.begin();
        if (!fragment.atEnd()) return textAttributes(fragment.fragment().charFormat()).paragraphStyle;
    }
    const QTextBlock next = block.next();
    return textAttributes(next.isValid() ? next.charFormat() : block.charFormat()).paragraphStyle;
}

QTextBlockFormat displayedBlockFormat(const QTextBlock& block) {
    const auto style = blockParagraphStyle(block);
    QTextBlockFormat format = textBlockFormat(style);
    if (paragraphDrawsListMarker(block, style)) {
        format.setLeftMargin(std::max(style->headIndent, listMarkerRoom));
        format.setTextIndent(0);
    }
    return format;
}

bool restyleBlocks(const QTextBlock& first, const QTextBlock& last) {
    bool changed = false;
    const int lastNumber = last.isValid() ? last.blockNumber() : first.blockNumber();
    for (QTextBlock block = first; block.isValid() && block.blockNumber() <= lastNumber; block = block.next()) {
        const QTextBlockFormat wanted = displayedBlockFormat(block);
        if (block.blockFormat() == wanted) continue;
        QTextCursor blockCursor(block);
        blockCursor.setBlockFormat(wanted);
        changed = true;
    }
    return changed;
}

DocumentTextPositions::DocumentTextPositions(const QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const auto contentLength = static_cast<std::size_t>(block.length() - 1);
        blocks_.push_back({block.position(), textLength_, contentLength});
        textLength_ += contentLength;
        const QTextBlock next = block.next();
        if (next.isValid()) textLength_ += lineEndOf(next.charFormat()).size();
    }
}

std::size_t DocumentTextPositions::textPosition(int documentPosition) const {
    if (blocks_.empty() || documentPosition <= 0) return 0;
    auto block = std::upper_bound(blocks_.begin(), blocks_.end(), documentPosition,
                                  [](int position, const Block& candidate) { return position < candidate.documentStart; });
    --block;
    const auto offset = static_cast<std::size_t>(documentPosition - block->documentStart);
    return std::min(block->textStart + std::min(offset, block->contentLength), textLength_);
}

int DocumentTextPositions::documentPosition(std::size_t textPosition) const {
    if (blocks_.empty()) return 0;
    auto block = std::upper_bound(blocks_.begin(), blocks_.end(), textPosition,
                                  [](std::size_t position, const Block& candidate) { return position < candidate.textStart; });
    --block;
    const std::size_t offset = std::min(textPosition - block->textStart, block->contentLength);
    return block->documentStart + static_cast<int>(offset);
}

} // namespace tessaril
