#include "TessarilApp/PhraseEditor/UTF16Text.hpp"
#include "TessarilApp/PhraseEditor/ListMarkerDrawing.hpp"

#include <string>

#include <QTextDocument>

#include "TessarilApp/PhraseEditor/AttributedTextDocument.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseListCommands.hpp"
#include "TessarilMac/RichText/FixedPhraseListItemMarker.hpp"

namespace tessaril {

using platform::ParagraphStyle;
using platform::TextList;

namespace {

bool isListItem(const QTextBlock& block, const std::optional<ParagraphStyle>& style) {
    return style && !style->textLists.empty() && !block.text().trimmed().isEmpty();
}

// A decimal number ends with a full stop unless the list's format writes its own punctuation.
QString markerText(const TextList& list, long long number) {
    QString text = QString::fromStdString(list.marker(number));
    const bool bareFormat = list.markerFormat.starts_with('{') && list.markerFormat.ends_with('}');
    if (bareFormat && fixedPhraseListKind(list) == FixedPhraseListKind::numbered) text += QLatin1Char('.');
    return text;
}

} // namespace

bool paragraphDrawsListMarker(const QTextBlock& block, const std::optional<ParagraphStyle>& style) {
    if (!isListItem(block, style)) return false;
    const QString text = block.text();
    if (text.startsWith(QLatin1Char('\t'))) return false;
    return list_item_marker::markerEnd(utf16View(text), 0, true) == 0;
}

std::vector<DrawnListMarker> drawnListMarkers(const QTextDocument& document) {
    std::vector<DrawnListMarker> markers;
    std::optional<TextList> previous;
    long long number = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const auto style = blockParagraphStyle(block);
        if (!isListItem(block, style)) {
            previous.reset();
            continue;
        }
        const TextList& list = style->textLists.front();
        number = previous == list ? number + 1 : 1;
        previous = list;
        if (paragraphDrawsListMarker(block, style)) markers.push_back({block, markerText(list, number)});
    }
    return markers;
}

} // namespace tessaril
