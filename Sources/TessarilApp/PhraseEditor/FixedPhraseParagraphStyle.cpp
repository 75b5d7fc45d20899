#include "TessarilApp/PhraseEditor/FixedPhraseParagraphStyle.hpp"

#include <algorithm>

namespace tessaril {

using platform::Font;
using platform::FontWeight;
using platform::ParagraphStyle;

namespace {

// The converters read a paragraph in a font of 17 points or more as a heading, whatever else it has.
constexpr double smallestHeadingSize = 17;

// Body and quote text keep a size the user chose, never below 14 points; a heading's size would keep
// the paragraph a heading, so it goes back to 14.
double bodySize(double fallbackSize) { return fallbackSize >= smallestHeadingSize ? 14 : std::max(fallbackSize, 14.0); }

} // namespace

Font fixedPhraseParagraphFont(FixedPhraseParagraphStyle style, double fallbackSize) {
    switch (style) {
    case FixedPhraseParagraphStyle::body: return Font::system(bodySize(fallbackSize));
    case FixedPhraseParagraphStyle::heading2: return Font::system(22, FontWeight::bold);
    case FixedPhraseParagraphStyle::heading3: return Font::system(18, FontWeight::semibold);
    case FixedPhraseParagraphStyle::quote: return Font::system(bodySize(fallbackSize));
    case FixedPhraseParagraphStyle::code: return Font::monospacedSystem(std::max(fallbackSize, 13.0));
    }
    return Font::system(14);
}

ParagraphStyle fixedPhraseParagraphLayout(FixedPhraseParagraphStyle style) {
    struct Layout {
        double after, before, indent;
    };
    Layout layout{4, 0, 0};
    switch (style) {
    case FixedPhraseParagraphStyle::body: layout = {4, 0, 0}; break;
    case FixedPhraseParagraphStyle::heading2: layout = {8, 10, 0}; break;
    case FixedPhraseParagraphStyle::heading3: layout = {8, 8, 0}; break;
    case FixedPhraseParagraphStyle::quote: layout = {6, 0, 18}; break;
    case FixedPhraseParagraphStyle::code: layout = {6, 0, 12}; break;
    }
    ParagraphStyle paragraph;
    paragraph.paragraphSpacing = layout.after;
    paragraph.paragraphSpacingBefore = layout.before;
    paragraph.headIndent = layout.indent;
    paragraph.firstLineHeadIndent = layout.indent;
    return paragraph;
}

} // namespace tessaril
