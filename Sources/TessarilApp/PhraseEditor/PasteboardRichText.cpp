#include "TessarilApp/PhraseEditor/PasteboardRichText.hpp"

#include <QMimeData>

#include "Platform/Foundation/RTFReadError.hpp"
#include "Platform/Foundation/RTFReader.hpp"
#include "Platform/Foundation/RTFWriter.hpp"
#include "TessarilMac/TextActions/FixedPhraseAttributedStrings.hpp"

namespace tessaril {

std::optional<std::vector<std::uint8_t>> pasteboardRTFData(const QMimeData& data) {
    for (const char* type : {rtfMimeType, "application/rtf"}) {
        const QString name = QString::fromLatin1(type);
        if (!data.hasFormat(name)) continue;
        const QByteArray bytes = data.data(name);
        return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    }
    return std::nullopt;
}

std::optional<platform::AttributedText> attributedTextFromRTF(std::span<const std::uint8_t> rtf) {
    try {
        return platform::RTFReader::read(rtf);
    } catch (const platform::RTFReadError&) {
        return std::nullopt;
    }
}

std::vector<std::uint8_t> rtfData(const platform::AttributedText& text) {
    const std::string rtf = platform::RTFWriter::write(text);
    return std::vector<std::uint8_t>(rtf.begin(), rtf.end());
}

std::optional<platform::AttributedText> pasteboardHTMLText(const QMimeData& data) {
    if (!data.hasHtml()) return std::nullopt;
    return fixedPhraseAttributedString(data.html().toStdString(), true);
}

} // namespace tessaril
