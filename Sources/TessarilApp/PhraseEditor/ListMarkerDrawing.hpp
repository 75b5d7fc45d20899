#pragma once

#include <optional>
#include <vector>

#include <QString>
#include <QTextBlock>

#include "Platform/Foundation/ParagraphStyle.hpp"

namespace tessaril {

// List paragraphs carry their list in their attributes only; the view draws each item's marker in
// front of it: consecutive items of one list count up, any other paragraph starts the count again,
// as the converters number a list. Text that brings its own marker (a pasted "•\t", "1. " or a
// leading tab) gets none drawn. Drawing never changes the text.

// Whether the block's paragraph gets a drawn marker, and so its first line room for it.
bool paragraphDrawsListMarker(const QTextBlock& block, const std::optional<platform::ParagraphStyle>& style);

struct DrawnListMarker {
    QTextBlock block;
    QString text;
};

// The markers of the document's list items, in order.
std::vector<DrawnListMarker> drawnListMarkers(const QTextDocument& document);

} // namespace tessaril
