#include "TessarilMac/TextActions/FixedPhrasePasteboardContent.hpp"

#include "Platform/Foundation/DataEncoding.hpp"
#include "Platform/Foundation/RTFReadError.hpp"
#include "Platform/Foundation/RTFReader.hpp"
#include "Platform/Pasteboard/PasteboardType.hpp"
#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"
#include "TessarilMac/TextActions/FixedPhraseAttributedStrings.hpp"
#include "TessarilMac/TextActions/FixedPhraseHTMLFrame.hpp"
#include "TessarilMac/TextActions/FixedPhrasePayload.hpp"

namespace tessaril {

namespace {

namespace types = platform::pasteboard_type;

void addRichFlavours(platform::PasteboardItem& item, const FixedPhraseInsertion& insertion) {
    if (!insertion.richTextRTFBase64) return;
    auto rtf = platform::data_encoding::base64Decoded(*insertion.richTextRTFBase64);
    if (!rtf) return;
    item.setData(types::rtf, *rtf);
    try {
        const std::string body = FixedPhraseAttributedTextNormalizer::semanticHTMLBody(platform::RTFReader::read(*rtf));
        if (!body.empty()) item.setData(types::html, platform::pasteboardData(fixedPhraseHTMLDocument(body)));
    } catch (const platform::RTFReadError&) {
        // Stored bytes that are not RTF still go out as they are; there is just no HTML to offer.
    }
}

void addPlainFlavours(platform::PasteboardItem& item, const FixedPhraseInsertion& insertion) {
    if (auto visual = fixedPhraseVisualAttributedString(insertion)) {
        if (auto rtf = fixedPhraseRTFData(*visual)) item.setData(types::rtf, platform::pasteboardData(*rtf));
    }
    if (auto html = fixedPhraseClipboardHTML(insertion)) item.setData(types::html, platform::pasteboardData(*html));
}

} // namespace

platform::PasteboardItem fixedPhrasePasteboardContent(const FixedPhraseInsertion& insertion) {
    platform::PasteboardItem item;
    item.setData(types::string, platform::pasteboardData(fixedPhraseTextPayload(insertion)));
    if (insertion.inputMode == FixedPhraseInputMode::rich) {
        addRichFlavours(item, insertion);
    } else {
        addPlainFlavours(item, insertion);
    }
    return item;
}

} // namespace tessaril
