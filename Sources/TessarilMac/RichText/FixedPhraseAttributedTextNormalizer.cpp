#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"

#include "TessarilCore/Support/Unicode.hpp"
#include "TessarilMac/RichText/FixedPhraseLinkCopies.hpp"
#include "TessarilMac/RichText/FixedPhraseParagraphWalk.hpp"

namespace tessaril::FixedPhraseAttributedTextNormalizer {
namespace {

constexpr double previewFontSize = 13;
constexpr double previewParagraphSpacing = 3;

std::string replacingAll(std::string_view text, char character, std::string_view replacement) {
    std::string result;
    result.reserve(text.size());
    for (char each : text) {
        if (each == character) {
            result += replacement;
        } else {
            result += each;
        }
    }
    return result;
}

std::string surrounded(std::string_view before, std::string_view text, std::string_view after) {
    std::string result;
    result.reserve(before.size() + text.size() + after.size());
    result.append(before).append(text).append(after);
    return result;
}

// `lineBreak`, when not empty, stands for each line separator in the text.
std::string markdownInline(const AttributedText& text, TextRange range, std::optional<std::size_t> firstRun,
                           std::string_view lineBreak = {}) {
    std::string markdown;
    // One link for all the neighbouring runs that carry the same target.
    const platform::SharedString* openLink = nullptr;
    auto closeLink = [&] {
        if (openLink) markdown.append("](").append(replacingAll(openLink->str(), ')', "\\)")).append(")");
        openLink = nullptr;
    };
    forEachRunIn(
        text, range,
        [&](std::u16string_view characters, const platform::TextAttributes& attributes) {
            std::string piece = escapeMarkdownInline(unicode::fromUTF16(characters));
            if (!lineBreak.empty()) piece = replacingLineSeparators(std::move(piece), lineBreak);
            if (attributes.font && attributes.font->fixedPitch)
                piece = surrounded("`", replacingAll(piece, '`', "\\`"), "`");
            if (attributeEnabled(attributes.underlineStyle)) piece = surrounded("<u>", piece, "</u>");
            if (attributeEnabled(attributes.strikethroughStyle)) piece = surrounded("~~", piece, "~~");
            if (attributes.font && attributes.font->italic) piece = surrounded("*", piece, "*");
            if (attributes.font && attributes.font->isBold()) piece = surrounded("**", piece, "**");
            const platform::SharedString* link = attributes.link ? &*attributes.link : nullptr;
            if (openLink && !(link && *link == *openLink)) closeLink();
            if (link && !openLink) {
                markdown += '[';
                openLink = link;
            }
            markdown += piece;
        },
        firstRun);
    closeLink();
    return markdown;
}

// The text of a list item in markdown: the inline markdown of what is left once the pasted marker is
// cut from the item's range, so that the marker is neither escaped nor wrapped in emphasis. A line
// break inside the item becomes a continuation line, indented by the width of the item's `marker`.
std::string markdownListItemText(const AttributedText& text, const FixedPhraseParagraph& paragraph,
                                 std::string_view marker) {
    TextRange item = normalizedListItemRange(paragraph.body, paragraph.contentRange());
    const std::string continuation = "\n" + std::string(marker.size(), ' ');
    std::string markdown =
        item.length > 0 ? markdownInline(text, item, paragraph.firstRun, continuation) : std::string();
    if (markdown.empty())
        markdown = escapeMarkdownInline(normalizedListItemBody(unicode::fromUTF16(paragraph.body)));
    return markdown;
}

std::string markdownParagraph(const AttributedText& text, const FixedPhraseParagraph& paragraph,
                              const std::string& body) {
    const auto& style = paragraph.attributes->paragraphStyle;
    std::string inlineMarkdown = paragraph.body.empty()
                                     ? std::string()
                                     : markdownInline(text, paragraph.contentRange(), paragraph.firstRun);
    switch (semanticParagraphKind(*paragraph.attributes, style ? &*style : nullptr)) {
    case SemanticParagraphKind::bodyParagraph:
        return inlineMarkdown;
    case SemanticParagraphKind::headingLevel2:
        return "## " + escapeMarkdownInline(unicode::trimmingWhitespaceAndNewlines(body));
    case SemanticParagraphKind::headingLevel3:
        return "### " + escapeMarkdownInline(unicode::trimmingWhitespaceAndNewlines(body));
    case SemanticParagraphKind::quoteParagraph:
        return "> " + unicode::trimmingWhitespaceAndNewlines(inlineMarkdown);
    case SemanticParagraphKind::codeBlock:
        return "```\n" + body + "\n```";
    }
    return inlineMarkdown;
}

} // namespace

std::string plainText(const AttributedText& text) {
    return normalizedText(text, Marker::plainOutput);
}

std::string markdownText(const AttributedText& text) {
    return normalizedText(text, Marker::markdownOutput);
}

std::string normalizedText(const AttributedText& text, Marker marker) {
    // Markdown writes a link in each paragraph it reaches into.
    if (marker == Marker::markdownOutput) {
        if (const auto affordable = fixedPhraseTextWithAffordableLinks(text)) return normalizedText(*affordable, marker);
    }
    std::string output;
    long long counter = 1;
    forEachFixedPhraseParagraph(text, [&](const FixedPhraseParagraph& paragraph) {
        const std::string body = unicode::fromUTF16(paragraph.body);
        const std::string lineEnd = unicode::fromUTF16(paragraph.lineEnd);
        const bool blank = unicode::isBlank(body);
        const auto& style = paragraph.attributes->paragraphStyle;
        if (style && !style->textLists.empty() && !blank) {
            const bool numbered = isNumberedList(*style);
            if (marker == Marker::markdownOutput) {
                const std::string itemMarker = numbered ? std::to_string(counter) + ". " : "- ";
                output += itemMarker;
                output += normalizedListItemBody(markdownListItemText(text, paragraph, itemMarker));
            } else {
                output += normalizedListItemBody(body);
            }
            if (numbered) ++counter;
        } else if (marker == Marker::plainOutput || blank) {
            output += body;
            counter = 1;
        } else {
            output += markdownParagraph(text, paragraph, body);
            counter = 1;
        }
        output += lineEnd;
    });
    return output;
}

std::string markdownInlineText(const AttributedText& text, TextRange range) {
    return markdownInline(text, range, std::nullopt);
}

platform::TextAttributes markdownSourcePreviewAttributes() {
    platform::TextAttributes attributes;
    attributes.font = platform::Font::monospacedSystem(previewFontSize);
    platform::ParagraphStyle style;
    style.paragraphSpacing = previewParagraphSpacing;
    attributes.paragraphStyle = style;
    return attributes;
}

AttributedText markdownPreviewAttributedString(std::string_view markdown) {
    return AttributedText::fromUTF8(markdown, markdownSourcePreviewAttributes());
}

} // namespace tessaril::FixedPhraseAttributedTextNormalizer
