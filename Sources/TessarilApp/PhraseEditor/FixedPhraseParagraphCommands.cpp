#include "TessarilApp/PhraseEditor/FixedPhraseParagraphCommands.hpp"

#include <algorithm>

#include "TessarilApp/PhraseEditor/FixedPhraseCharacterCommands.hpp"

namespace tessaril {

using platform::AttributedText;
using platform::Color;
using platform::Font;
using platform::ParagraphStyle;
using platform::TextAlignment;
using platform::TextAttributes;
using platform::TextRange;

std::vector<TextRange> fixedPhraseParagraphRanges(const AttributedText& text, TextRange covering) {
    std::vector<TextRange> paragraphs;
    const std::size_t length = text.length();
    if (length == 0) return paragraphs;
    const std::size_t covered = std::max<std::size_t>(covering.length, 1);
    std::size_t position = std::min(covering.location, length - 1);
    const std::size_t end = std::min(covering.location + covered, length);
    while (position < end) {
        const TextRange paragraph = text.paragraphRange({position, 0});
        paragraphs.push_back(paragraph);
        if (paragraph.end() <= position) break;
        position = paragraph.end();
    }
    return paragraphs;
}

void applyFixedPhraseParagraphStyle(FixedPhraseParagraphStyle style, FixedPhraseTextViewState& view) {
    view.preservedWholePasteRTFData.reset();
    const TextRange paragraphRange =
        view.text.paragraphRange(fixedPhraseClippedRange(view.text, view.primarySelectedRange()));
    const ParagraphStyle layout = fixedPhraseParagraphLayout(style);
    const bool isCode = style == FixedPhraseParagraphStyle::code;
    const Color codeBackground = Color::systemGray(0.18);

    if (paragraphRange.length == 0) {
        view.typingAttributes.font = fixedPhraseParagraphFont(style, 14);
        view.typingAttributes.paragraphStyle = layout;
        if (isCode) view.typingAttributes.backgroundColor = codeBackground;
        return;
    }
    view.text.updateAttributes(paragraphRange, [&](TextAttributes& attributes) {
        attributes.paragraphStyle = layout;
        const double size = attributes.font ? attributes.font->pointSize : 14;
        attributes.font = fixedPhraseParagraphFont(style, size);
        attributes.foregroundColor.reset();
        attributes.backgroundColor.reset();
        if (isCode) attributes.backgroundColor = codeBackground;
    });
    view.selectedRanges = {paragraphRange};
}

void applyFixedPhraseParagraphAlignment(TextAlignment alignment, FixedPhraseTextViewState& view) {
    view.preservedWholePasteRTFData.reset();
    const TextRange selected = fixedPhraseClippedRange(view.text, view.primarySelectedRange());
    const TextRange paragraphRange = view.text.paragraphRange(selected);
    if (selected.length > 0) {
        ParagraphStyle aligned;
        aligned.alignment = alignment;
        view.text.updateAttributes(paragraphRange,
                                   [&](TextAttributes& attributes) { attributes.paragraphStyle = aligned; });
        return;
    }
    auto align = [&](TextAttributes& attributes) {
        ParagraphStyle paragraph = attributes.paragraphStyle.value_or(ParagraphStyle{});
        paragraph.alignment = alignment;
        attributes.paragraphStyle = paragraph;
    };
    view.text.updateAttributes(paragraphRange, align);
    align(view.typingAttributes);
}

void clearFixedPhraseRichFormatting(FixedPhraseTextViewState& view) {
    view.preservedWholePasteRTFData.reset();
    TextAttributes plain;
    plain.font = Font::system(14);
    const TextRange selected = fixedPhraseClippedRange(view.text, view.primarySelectedRange());
    if (selected.length == 0) {
        view.typingAttributes = plain;
        return;
    }
    view.text.setAttributes(plain, selected);
    view.selectedRanges = {selected};
}

} // namespace tessaril
