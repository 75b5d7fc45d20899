#pragma once

#include <algorithm>
#include <string_view>

#include "Platform/Foundation/AttributedText.hpp"

namespace tessaril {

// One paragraph of an attributed text as the converters read it.
struct FixedPhraseParagraph {
    platform::TextRange range;   // with its line end
    std::u16string_view body;    // without it
    std::u16string_view lineEnd; // CR LF, LF, CR, U+2029, U+0085, or empty for the last paragraph

    platform::TextRange contentRange() const { return {range.location, body.size()}; }
};

// Calls `visit` for every paragraph in order. Every character that ends a paragraph is its line end,
// so paragraphs written back one after the other never run together.
template <class Visit> void forEachFixedPhraseParagraph(const platform::AttributedText& text, Visit visit) {
    const std::u16string_view string = text.string();
    std::size_t location = 0;
    while (location < string.size()) {
        platform::TextRange range = text.paragraphRange({location, 0});
        if (range.end() <= location) break;
        std::u16string_view paragraph = string.substr(range.location, range.length);
        std::size_t lineEndLength = 0;
        if (paragraph.ends_with(u"\r\n")) {
            lineEndLength = 2;
        } else if (!paragraph.empty() && platform::AttributedText::isParagraphSeparator(paragraph.back())) {
            lineEndLength = 1;
        }
        visit(FixedPhraseParagraph{range, paragraph.substr(0, paragraph.size() - lineEndLength),
                                   paragraph.substr(paragraph.size() - lineEndLength)});
        location = range.end();
    }
}

// Calls `visit(characters, attributes)` for every run inside `range`, each cut to it, without copying
// the runs' attributes.
template <class Visit> void forEachRunIn(const platform::AttributedText& text, platform::TextRange range, Visit visit) {
    if (range.length == 0) return;
    const auto& runs = text.runs();
    auto run = std::upper_bound(runs.begin(), runs.end(), range.location,
                                [](std::size_t location, const auto& each) { return location < each.range.location; });
    if (run != runs.begin()) --run;
    const std::u16string_view string = text.string();
    for (; run != runs.end() && run->range.location < range.end(); ++run) {
        const std::size_t start = std::max(run->range.location, range.location);
        const std::size_t end = std::min(run->range.end(), range.end());
        visit(string.substr(start, end - start), run->attributes);
    }
}

} // namespace tessaril
