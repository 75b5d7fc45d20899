#include <algorithm>

#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"
#include "TessarilMac/RichText/ScalarScanning.hpp"

namespace tessaril::FixedPhraseAttributedTextNormalizer {
namespace {

constexpr double headingLevel2MinimumSize = 21;
constexpr double headingLevel3MinimumSize = 17;
constexpr double quoteMinimumIndent = 16;

} // namespace

const platform::ParagraphStyle* paragraphStyle(const AttributedText& text, std::size_t index) {
    if (text.empty()) return nullptr;
    const auto& style = text.attributes(std::min(index, text.length() - 1)).paragraphStyle;
    return style ? &*style : nullptr;
}

SemanticParagraphKind semanticParagraphKind(const AttributedText& text, TextRange paragraphRange,
                                            const platform::ParagraphStyle* paragraphStyle) {
    if (text.empty()) return semanticParagraphKind(platform::TextAttributes{}, paragraphStyle);
    return semanticParagraphKind(text.attributes(std::min(text.length() - 1, paragraphRange.location)),
                                 paragraphStyle);
}

SemanticParagraphKind semanticParagraphKind(const platform::TextAttributes& firstCharacter,
                                            const platform::ParagraphStyle* paragraphStyle) {
    if (firstCharacter.backgroundColor) return SemanticParagraphKind::codeBlock;
    if (const auto& font = firstCharacter.font) {
        if (font->fixedPitch) return SemanticParagraphKind::codeBlock;
        if (font->pointSize >= headingLevel2MinimumSize) return SemanticParagraphKind::headingLevel2;
        if (font->pointSize >= headingLevel3MinimumSize) return SemanticParagraphKind::headingLevel3;
    }
    if (paragraphStyle && (paragraphStyle->headIndent >= quoteMinimumIndent ||
                           paragraphStyle->firstLineHeadIndent >= quoteMinimumIndent)) {
        return SemanticParagraphKind::quoteParagraph;
    }
    return SemanticParagraphKind::bodyParagraph;
}

bool isNumberedList(const platform::ParagraphStyle& paragraphStyle) {
    return std::any_of(paragraphStyle.textLists.begin(), paragraphStyle.textLists.end(),
                       [](const platform::TextList& list) {
                           std::string first = list.marker(1);
                           if (first == list.marker(2)) return false;
                           std::size_t offset = 0;
                           while (offset < first.size()) {
                               if (scalar_scanning::isDecimalDigit(scalar_scanning::next(first, offset)))
                                   return true;
                           }
                           return false;
                       });
}

bool attributeEnabled(const std::optional<int>& value) {
    return value && *value != 0;
}

} // namespace tessaril::FixedPhraseAttributedTextNormalizer
