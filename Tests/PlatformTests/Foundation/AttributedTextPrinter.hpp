#pragma once

#include <ostream>
#include <sstream>

#include "Platform/Foundation/AttributedText.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril::platform {

// Lets failed expectations show attributed text as its runs instead of raw bytes.
inline void PrintTo(const TextAttributes& attributes, std::ostream* stream) {
    *stream << "{";
    if (attributes.font) {
        const Font& font = *attributes.font;
        *stream << " font " << font.family << " " << font.pointSize << " w" << static_cast<int>(font.weight)
                << (font.italic ? " italic" : "") << (font.fixedPitch ? " fixed" : "");
    }
    auto color = [&](const char* name, const std::optional<Color>& value) {
        if (value) *stream << " " << name << " " << value->red << "," << value->green << "," << value->blue << "," << value->alpha;
    };
    color("fg", attributes.foregroundColor);
    color("bg", attributes.backgroundColor);
    if (attributes.paragraphStyle) {
        const ParagraphStyle& style = *attributes.paragraphStyle;
        *stream << " para " << rawValue(style.alignment) << " head " << style.headIndent << " first "
                << style.firstLineHeadIndent << " after " << style.paragraphSpacing << " before "
                << style.paragraphSpacingBefore << " tabs";
        for (const TextTab& tab : style.tabStops) *stream << " " << rawValue(tab.alignment) << "@" << tab.location;
        *stream << " lists";
        for (const TextList& list : style.textLists) *stream << " " << list.markerFormat;
    }
    if (attributes.underlineStyle) *stream << " underline " << *attributes.underlineStyle;
    if (attributes.strikethroughStyle) *stream << " strike " << *attributes.strikethroughStyle;
    if (attributes.link) *stream << " link " << *attributes.link;
    *stream << " }";
}

inline void PrintTo(const AttributedText& text, std::ostream* stream) {
    *stream << "\n";
    for (const auto& run : text.runs()) {
        *stream << "  \"" << unicode::fromUTF16(text.string().substr(run.range.location, run.range.length)) << "\" ";
        PrintTo(run.attributes, stream);
        *stream << "\n";
    }
}

} // namespace tessaril::platform
