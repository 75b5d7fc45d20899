#include "TessarilApp/PhraseEditor/FixedPhraseListCommands.hpp"

#include <algorithm>
#include <string>

#include "TessarilApp/PhraseEditor/FixedPhraseCharacterCommands.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseParagraphCommands.hpp"
#include "TessarilCore/Support/Unicode.hpp"
#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"

namespace tessaril {

using platform::AttributedText;
using platform::ParagraphStyle;
using platform::TextAlignment;
using platform::TextAttributes;
using platform::TextList;
using platform::TextRange;

namespace {

constexpr double listIndent = 24;

TextList listOfKind(FixedPhraseListKind kind) {
    return TextList{std::string(kind == FixedPhraseListKind::bullet ? TextList::disc : TextList::decimal)};
}

// Removing keeps indents that were there before the list (below its 24 points, or a hanging one).
void changeList(ParagraphStyle& style, FixedPhraseListKind kind, bool removing) {
    if (removing) {
        style.textLists.clear();
        style.tabStops.clear();
        if (style.headIndent >= listIndent) style.headIndent = 0;
        if (style.firstLineHeadIndent >= 0) style.firstLineHeadIndent = 0;
        return;
    }
    style.textLists = {listOfKind(kind)};
    style.headIndent = std::max(style.headIndent, listIndent);
    style.firstLineHeadIndent = 0;
    style.tabStops = {{TextAlignment::left, listIndent}};
}

bool endsWithParagraphSeparator(const AttributedText& text) {
    return !text.empty() && AttributedText::isParagraphSeparator(text.string().back());
}

bool isBlank(const AttributedText& text, TextRange range) {
    return unicode::isBlank(unicode::fromUTF16(std::u16string_view(text.string()).substr(range.location, range.length)));
}

} // namespace

FixedPhraseListKind fixedPhraseListKind(const TextList& list) {
    ParagraphStyle single;
    single.textLists = {list};
    return FixedPhraseAttributedTextNormalizer::isNumberedList(single) ? FixedPhraseListKind::numbered
                                                                        : FixedPhraseListKind::bullet;
}

bool fixedPhraseParagraphStyleHasList(const std::optional<ParagraphStyle>& style, FixedPhraseListKind kind) {
    if (!style) return false;
    return std::any_of(style->textLists.begin(), style->textLists.end(),
                       [&](const TextList& list) { return fixedPhraseListKind(list) == kind; });
}

bool fixedPhraseTypingAttributesContainList(FixedPhraseListKind kind, const FixedPhraseTextViewState& view) {
    return fixedPhraseParagraphStyleHasList(view.typingAttributes.paragraphStyle, kind);
}

void applyFixedPhraseTypingListStyle(FixedPhraseListKind kind, bool removing, FixedPhraseTextViewState& view) {
    ParagraphStyle style = view.typingAttributes.paragraphStyle.value_or(ParagraphStyle{});
    if (removing) {
        style.textLists.clear();
        style.tabStops.clear();
        style.headIndent = 0;
        style.firstLineHeadIndent = 0;
    } else {
        changeList(style, kind, false);
    }
    view.typingAttributes.paragraphStyle = style;
}

void applyFixedPhraseListStyle(FixedPhraseListKind kind, FixedPhraseTextViewState& view) {
    view.preservedWholePasteRTFData.reset();
    AttributedText& text = view.text;
    const TextRange selected = fixedPhraseClippedRange(text, view.primarySelectedRange());
    // The caret on the empty line after the last line end: the next typed line becomes the item.
    const bool onEmptyLastLine =
        selected.length == 0 && selected.location == text.length() && endsWithParagraphSeparator(text);
    if (text.empty() || onEmptyLastLine) {
        applyFixedPhraseTypingListStyle(kind, fixedPhraseTypingAttributesContainList(kind, view), view);
        return;
    }

    const TextRange paragraphRange = text.paragraphRange(selected);
    const auto paragraphs = fixedPhraseParagraphRanges(text, paragraphRange);
    std::vector<TextRange> tested;
    std::copy_if(paragraphs.begin(), paragraphs.end(), std::back_inserter(tested),
                 [&](TextRange paragraph) { return !isBlank(text, paragraph); });
    if (tested.empty()) tested = paragraphs;
    const bool removing = std::all_of(tested.begin(), tested.end(), [&](TextRange paragraph) {
        return fixedPhraseParagraphStyleHasList(text.attributes(paragraph.location).paragraphStyle, kind);
    });

    for (const TextRange& paragraph : paragraphs) {
        ParagraphStyle style = text.attributes(paragraph.location).paragraphStyle.value_or(ParagraphStyle{});
        changeList(style, kind, removing);
        text.updateAttributes(paragraph, [&](TextAttributes& attributes) { attributes.paragraphStyle = style; });
    }
    applyFixedPhraseTypingListStyle(kind, removing, view);
    view.selectedRanges = {paragraphRange};
}

} // namespace tessaril
