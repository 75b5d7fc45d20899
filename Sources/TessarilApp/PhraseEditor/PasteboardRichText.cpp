#include "TessarilApp/PhraseEditor/PasteboardRichText.hpp"

#include <QMimeData>

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
    (void)rtf;
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> rtfDataFromAttributedText(const platform::AttributedText& text) {
    (void)text;
    return std::nullopt;
}

} // namespace tessaril
