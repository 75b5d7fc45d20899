#pragma once

#include <cstddef>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Foundation/AttributedTextBuilder.hpp"
#include "Platform/Foundation/HTMLTagName.hpp"
#include "Platform/Foundation/SharedStringPool.hpp"

namespace tessaril::platform {

// The pass behind HTMLReader: a tokenizer over the UTF-16 text and the open elements on an explicit
// stack, each with the style in force inside it. Implied ends (a new paragraph, list item, row or cell
// closing the open one) and end tags pop the stack; every element is pushed and popped at most once,
// so the pass is linear. Elements nested deeper than `maximumDepth` are read as their text alone.
// Used once, by HTMLReader.
class HTMLParser {
public:
    static constexpr std::size_t maximumDepth = 512;
    // Lists nest nine levels deep, as in RTF; a list deeper down continues the ninth level.
    static constexpr std::size_t maximumListDepth = 9;

    explicit HTMLParser(std::string_view html);
    AttributedText parse();

private:
    enum class Kind {
        paragraph, division, heading, subheading, blockquote, preformatted, unorderedList, orderedList,
        listItem, table, tableRow, tableCell, tableHeader, bold, italic, underline, strikethrough, code,
        link, span, head,
    };

    // Everything the text inside an element inherits.
    struct Style {
        TextAttributes character;
        TextAlignment alignment = TextAlignment::natural;
        double indent = 0;
        double spacingBefore = 0;
        double spacingAfter = 0;
        std::vector<TextList> lists;
        bool inListItem = false;
        bool preformatted = false;
    };

    struct Element {
        Kind kind;
        HTMLTagName name;
        Style style;
        int itemCount = 0;   // lists: items so far; rows: cells so far
        // Indices of the innermost open element of each kind, this one included (-1: none).
        int paragraph = -1;
        int list = -1;
        int listItem = -1;
        int row = -1;
        int cell = -1;
    };

    struct Tag {
        HTMLTagName name = HTMLTagName::other;
        bool closing = false;
        std::u16string href;
        bool hasHref = false;
        std::u16string style;
        bool hasStyle = false;
    };

    void text(std::size_t end);
    void markup();
    bool readTag(Tag& tag);
    std::u16string attributeValue();
    void startTag(const Tag& tag);
    void endTag(HTMLTagName name);
    // Ends the line before a block (a line holding only a list marker too, when `evenAfterMarker`).
    void openBlock(Kind kind, const Tag& tag, bool evenAfterMarker = false);
    void push(Kind kind, const Tag& tag);
    void pop();
    void popTo(int index);
    void skipRawText(HTMLTagName name);
    void skipPast(std::u16string_view terminator);
    void characterReference(std::u16string& output);

    void appendCharacter(char16_t unit);
    void appendSpace();
    void emit(char16_t unit, const TextAttributes& attributes, std::uint64_t version);
    void appendMarker();
    void writePendingMarker();
    void lineBreak();
    void endLine();
    void blockBoundary(bool evenAfterMarker);
    void flushRun();
    const Style& style() const;
    std::optional<ParagraphStyle> paragraphStyle() const;
    void applyInlineStyle(Style& style, const Style& inherited, std::u16string_view declarations, bool block);

    std::u16string input_;
    SharedStringPool values_; // link targets and font families
    std::size_t position_ = 0;
    std::vector<Element> stack_;
    std::array<int, htmlTagNameCount> openCounts_{};
    Style base_;
    bool inHead_ = false;
    bool bodyStarted_ = false;
    bool skipNewline_ = false;

    AttributedTextBuilder builder_;
    std::u16string runText_;
    TextAttributes runAttributes_;
    bool lineOpen_ = false;        // something was written on the current line (a marker counts)
    bool lineHasContent_ = false;  // text was written on the current line
    bool spaceAllowed_ = false;    // white space here collapses to one space (not at a line's start)
    std::optional<TextAttributes> pendingSpace_;
    std::u16string pendingMarker_; // the open list item's marker, until its first character
    TextAttributes pendingMarkerAttributes_;
    std::uint64_t pendingSpaceVersion_ = 0;
    // Changes with every push and pop: text written under the same version needs no comparison of
    // attributes to join its run.
    std::uint64_t styleVersion_ = 0;
    std::uint64_t runVersion_ = 0;
};

} // namespace tessaril::platform
