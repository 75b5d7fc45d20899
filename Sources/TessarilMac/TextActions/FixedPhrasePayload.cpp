#include "TessarilMac/TextActions/FixedPhrasePayload.hpp"

#include "Platform/Foundation/HTMLReader.hpp"
#include "Platform/Foundation/RTFWriter.hpp"
#include "TessarilCore/Support/Unicode.hpp"
#include "TessarilMac/RichText/FixedPhraseHTMLSanitizer.hpp"
#include "TessarilMac/RichText/FixedPhraseMarkdownHTML.hpp"
#include "TessarilMac/TextActions/FixedPhraseHTMLFrame.hpp"
#include "TessarilMac/TextActions/FixedPhraseLooksLikeHTML.hpp"

namespace tessaril {

std::string_view fixedPhraseHTMLSource(const FixedPhraseInsertion& insertion) {
    if (insertion.htmlText && !insertion.htmlText->empty()) return *insertion.htmlText;
    return insertion.plainText;
}

std::string fixedPhraseTextPayload(const FixedPhraseInsertion& insertion) {
    if (insertion.inputMode == FixedPhraseInputMode::plain &&
        insertion.previewMode == FixedPhrasePreviewMode::html) {
        std::string_view source = fixedPhraseHTMLSource(insertion);
        if (fixedPhraseLooksLikeHTML(source)) {
            std::string rendered = fixedPhrasePlainText(source);
            if (!rendered.empty()) return rendered;
        }
    }
    return insertion.plainText;
}

std::string fixedPhrasePlainText(std::string_view html) {
    std::string sanitized = FixedPhraseHTMLSanitizer::sanitize(html);
    if (sanitized.empty()) return {};
    return unicode::trimmingWhitespaceAndNewlines(platform::HTMLReader::read(sanitized).utf8String());
}

std::optional<std::string> fixedPhraseRTFData(const platform::AttributedText& text) {
    if (text.empty()) return std::nullopt;
    return platform::RTFWriter::write(text);
}

std::optional<std::string> fixedPhraseClipboardHTML(const FixedPhraseInsertion& insertion) {
    if (insertion.inputMode == FixedPhraseInputMode::rich) return std::nullopt;
    switch (insertion.previewMode) {
    case FixedPhrasePreviewMode::raw:
        return std::nullopt;
    case FixedPhrasePreviewMode::markdown:
        return fixedPhraseHTMLDocument(fixedPhraseMarkdownHTMLBody(insertion.plainText));
    case FixedPhrasePreviewMode::html: {
        std::string_view source = fixedPhraseHTMLSource(insertion);
        if (source.empty()) return std::nullopt;
        return FixedPhraseHTMLSanitizer::sanitize(source);
    }
    }
    return std::nullopt;
}

} // namespace tessaril
