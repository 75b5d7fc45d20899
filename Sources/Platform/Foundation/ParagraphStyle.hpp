#pragma once

#include <vector>

#include "Platform/Foundation/TextAlignment.hpp"
#include "Platform/Foundation/TextList.hpp"
#include "Platform/Foundation/TextTab.hpp"

namespace tessaril::platform {

// How a paragraph is laid out. Lengths are in points; the first line starts at
// `firstLineHeadIndent`, the other lines at `headIndent`. `textLists` are the lists the paragraph
// belongs to, outermost first; no tab stops means the default stops.
struct ParagraphStyle {
    TextAlignment alignment = TextAlignment::natural;
    double headIndent = 0;
    double firstLineHeadIndent = 0;
    double paragraphSpacing = 0;
    double paragraphSpacingBefore = 0;
    std::vector<TextTab> tabStops;
    std::vector<TextList> textLists;

    friend bool operator==(const ParagraphStyle&, const ParagraphStyle&) = default;
};

} // namespace tessaril::platform
