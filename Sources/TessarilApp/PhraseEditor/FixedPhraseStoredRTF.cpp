#include "TessarilApp/PhraseEditor/FixedPhraseStoredRTF.hpp"

#include <cmath>

#include "Platform/Foundation/DataEncoding.hpp"
#include "TessarilApp/PhraseEditor/PasteboardRichText.hpp"
#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"

namespace tessaril {

namespace {

constexpr double bodyPointSize = 14;
constexpr double pointSizeTolerance = 0.1;

bool hasParagraphFormatting(const platform::ParagraphStyle& style) {
    return !style.textLists.empty() || style.alignment != platform::TextAlignment::natural ||
           style.paragraphSpacing > 0 || style.paragraphSpacingBefore > 0 || style.headIndent > 0 ||
           style.firstLineHeadIndent > 0;
}

bool hasFontFormatting(const platform::Font& font) {
    return font.isBold() || font.italic || std::abs(font.pointSize - bodyPointSize) > pointSizeTolerance ||
           font.family != platform::Font::system(bodyPointSize).family;
}

} // namespace

std::optional<FixedPhraseStoredRTF> FixedPhraseStoredRTF::read(const std::optional<std::string>& base64) {
    if (!base64) return std::nullopt;
    auto bytes = platform::data_encoding::base64Decoded(*base64);
    if (!bytes) return std::nullopt;
    auto text = attributedTextFromRTF(*bytes);
    if (!text) return std::nullopt;
    return FixedPhraseStoredRTF{std::move(*bytes), std::move(*text)};
}

std::optional<std::string> fixedPhraseRTFBase64(const platform::AttributedText& text) {
    if (text.empty()) return std::nullopt;
    return platform::data_encoding::base64Encoded(rtfData(text));
}

bool fixedPhraseHasMeaningfulRichAttributes(const platform::AttributedText& text) {
    for (const auto& run : text.runs()) {
        const platform::TextAttributes& attributes = run.attributes;
        if (attributes.link || attributes.foregroundColor || attributes.backgroundColor || attributes.underlineStyle ||
            attributes.strikethroughStyle) {
            return true;
        }
        if (attributes.paragraphStyle && hasParagraphFormatting(*attributes.paragraphStyle)) return true;
        if (attributes.font && hasFontFormatting(*attributes.font)) return true;
    }
    return false;
}

std::optional<std::string> fixedPhraseHTMLSource(const platform::AttributedText& text) {
    if (text.empty()) return std::nullopt;
    return FixedPhraseAttributedTextNormalizer::semanticHTMLBody(text);
}

} // namespace tessaril
