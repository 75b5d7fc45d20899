#include "TessarilMac/TextActions/FixedPhraseAttributedStrings.hpp"

#include <algorithm>

#include "TessarilMac/RichText/FixedPhraseParagraphWalk.hpp"

namespace tessaril {
namespace {

constexpr double plainFontSize = 14;
constexpr double ownLookMinimumIndent = 16;
constexpr double ownLookMaximumFontSize = 12.5;

bool hasOwnLook(const platform::TextAttributes& attributes) {
    if (attributes.backgroundColor) return true;
    if (const auto& style = attributes.paragraphStyle) {
        if (style->headIndent >= ownLookMinimumIndent || style->firstLineHeadIndent >= ownLookMinimumIndent) return true;
    }
    if (!attributes.font) return false;
    return attributes.font->fixedPitch || attributes.font->pointSize <= ownLookMaximumFontSize;
}

} // namespace

platform::AttributedText fixedPhrasePlainAttributedString(std::string_view text) {
    platform::TextAttributes attributes;
    attributes.font = platform::Font::system(plainFontSize);
    return platform::AttributedText::fromUTF8(text, attributes);
}

platform::AttributedText fixedPhraseDisplaySafeAttributedString(const platform::AttributedText& text) {
    platform::AttributedText copy = text;
    forEachFixedPhraseParagraph(text, [&](const FixedPhraseParagraph& paragraph) {
        const auto& attributes = text.attributes(std::min(text.length() - 1, paragraph.range.location));
        if (hasOwnLook(attributes)) copy.removeAttribute(platform::TextAttributes::Key::foregroundColor, paragraph.range);
    });
    return copy;
}

} // namespace tessaril
