#include "TessarilMac/TextActions/FixedPhraseAttributedStrings.hpp"

#include <algorithm>
#include <vector>

#include "Platform/Foundation/HTMLReader.hpp"
#include "TessarilMac/RichText/FixedPhraseHTMLSanitizer.hpp"
#include "TessarilMac/RichText/FixedPhraseLinkTarget.hpp"
#include "TessarilMac/RichText/FixedPhraseMarkdownHTML.hpp"
#include "TessarilMac/RichText/FixedPhraseParagraphWalk.hpp"
#include "TessarilMac/TextActions/FixedPhraseHTMLFrame.hpp"
#include "TessarilMac/TextActions/FixedPhrasePayload.hpp"

namespace tessaril {
namespace {

constexpr double plainFontSize = 14;
constexpr double ownLookMinimumIndent = 16;
constexpr double ownLookMaximumFontSize = 12.5;

bool hasOwnLook(const platform::TextAttributes& attributes) {
    if (attributes.backgroundColor) return true;
    if (const auto& style = attributes.paragraphStyle) {
        if (style->headIndent >= ownLookMinimumIndent || style->firstLineHeadIndent >= ownLookMinimumIndent)
            return true;
    }
    if (!attributes.font) return false;
    return attributes.font->fixedPitch || attributes.font->pointSize <= ownLookMaximumFontSize;
}

// The HTML reader keeps every link it reads; what goes on the pasteboard keeps only safe ones.
void removeUnsafeLinks(platform::AttributedText& text) {
    // Neighbouring runs of one link share its target: it is judged once for all of them.
    std::optional<platform::SharedString> judged;
    bool allowed = true;
    text = withChangedRuns(text, [&](const FixedPhraseParagraph&, platform::TextRange, platform::TextAttributes& attributes) {
        if (!attributes.link) return;
        if (!judged || !attributes.link->sharesStorageWith(*judged)) {
            allowed = fixedPhraseLinkTargetIsAllowed(attributes.link->str());
            judged = attributes.link;
        }
        if (!allowed) attributes.link.reset();
    });
}

} // namespace

platform::AttributedText fixedPhrasePlainAttributedString(std::string_view text) {
    platform::TextAttributes attributes;
    attributes.font = platform::Font::system(plainFontSize);
    return platform::AttributedText::fromUTF8(text, attributes);
}

platform::AttributedText fixedPhraseDisplaySafeAttributedString(const platform::AttributedText& text) {
    return withChangedRuns(text, [](const FixedPhraseParagraph& paragraph, platform::TextRange,
                                    platform::TextAttributes& attributes) {
        if (hasOwnLook(*paragraph.attributes)) attributes.foregroundColor.reset();
    });
}

std::optional<platform::AttributedText> fixedPhraseAttributedString(std::string_view html,
                                                                    bool sanitizesUserHTML) {
    platform::AttributedText text = platform::HTMLReader::read(
        sanitizesUserHTML ? FixedPhraseHTMLSanitizer::sanitize(html) : std::string(html));
    removeUnsafeLinks(text);
    return text;
}

std::optional<platform::AttributedText>
fixedPhraseVisualAttributedString(const FixedPhraseInsertion& insertion) {
    switch (insertion.previewMode) {
    case FixedPhrasePreviewMode::raw:
        return fixedPhrasePlainAttributedString(insertion.plainText);
    case FixedPhrasePreviewMode::markdown:
        return fixedPhraseAttributedString(
            fixedPhraseHTMLDocument(fixedPhraseMarkdownHTMLBody(insertion.plainText)), false);
    case FixedPhrasePreviewMode::html:
        return fixedPhraseAttributedString(fixedPhraseHTMLSource(insertion), true);
    }
    return std::nullopt;
}

} // namespace tessaril
