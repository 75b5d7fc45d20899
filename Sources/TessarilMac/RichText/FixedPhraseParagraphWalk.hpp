#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "Platform/Foundation/AttributedText.hpp"

namespace tessaril {

// One paragraph of an attributed text as the converters read it.
struct FixedPhraseParagraph {
    platform::TextRange range;   // with its line end
    std::u16string_view body;    // without it
    std::u16string_view lineEnd; // CR LF, LF, CR, U+2029, U+0085, or empty for the last paragraph
    std::size_t firstRun;        // the index of the run holding the paragraph's first character
    const platform::TextAttributes* attributes; // that run's attributes

    platform::TextRange contentRange() const { return {range.location, body.size()}; }
};

// Calls `visit` for every paragraph in order. Every character that ends a paragraph is its line end,
// so paragraphs written back one after the other never run together. Runs are followed along with
// the paragraphs, so the walk reads the text and its runs once, in order.
template <class Visit> void forEachFixedPhraseParagraph(const platform::AttributedText& text, Visit visit) {
    const std::u16string_view string = text.string();
    const auto& runs = text.runs();
    std::size_t location = 0;
    std::size_t run = 0;
    while (location < string.size()) {
        while (runs[run].range.end() <= location)
            ++run;
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
                                   paragraph.substr(paragraph.size() - lineEndLength), run,
                                   &runs[run].attributes});
        location = range.end();
    }
}

// Calls `visit(characters, attributes)` for every run inside `range`, each cut to it, without copying
// the runs' attributes. `firstRun`, when given, is the index of a run at or before the range's start.
template <class Visit>
void forEachRunIn(const platform::AttributedText& text, platform::TextRange range, Visit visit,
                  std::optional<std::size_t> firstRun = std::nullopt) {
    if (range.length == 0) return;
    const auto& runs = text.runs();
    auto run = runs.begin();
    if (firstRun) {
        run += static_cast<std::ptrdiff_t>(*firstRun);
        while (run->range.end() <= range.location)
            ++run;
    } else {
        run = std::upper_bound(
            runs.begin(), runs.end(), range.location,
            [](std::size_t location, const auto& each) { return location < each.range.location; });
        if (run != runs.begin()) --run;
    }
    const std::u16string_view string = text.string();
    for (; run != runs.end() && run->range.location < range.end(); ++run) {
        const std::size_t start = std::max(run->range.location, range.location);
        const std::size_t end = std::min(run->range.end(), range.end());
        visit(string.substr(start, end - start), run->attributes);
    }
}

// A copy of `text` built in one pass: `change(paragraph, piece, attributes)` edits the attributes of
// every run of every paragraph, `piece` being where that run's part of the paragraph lies; equal
// neighbours join again. Changing attribute range by range would shift the runs after each range,
// at a cost that grows with the square of the text.
template <class Change>
platform::AttributedText withChangedRuns(const platform::AttributedText& text, Change change) {
    platform::AttributedText copy;
    const std::u16string_view string = text.string();
    forEachFixedPhraseParagraph(text, [&](const FixedPhraseParagraph& paragraph) {
        forEachRunIn(
            text, paragraph.range,
            [&](std::u16string_view characters, const platform::TextAttributes& attributes) {
                platform::TextAttributes changed = attributes;
                change(paragraph,
                       platform::TextRange{static_cast<std::size_t>(characters.data() - string.data()),
                                           characters.size()},
                       changed);
                copy.append(characters, std::move(changed));
            },
            paragraph.firstRun);
    });
    return copy;
}

// `text` (UTF-8) with every line separator U+2028, a line break inside a paragraph, replaced.
inline std::string replacingLineSeparators(std::string text, std::string_view replacement) {
    static constexpr std::string_view separator = "\u2028";
    std::size_t found = text.find(separator);
    if (found == std::string::npos) return text;
    std::string replaced;
    replaced.reserve(text.size() + replacement.size());
    std::size_t copied = 0;
    for (; found != std::string::npos; found = text.find(separator, copied)) {
        replaced.append(text, copied, found - copied).append(replacement);
        copied = found + separator.size();
    }
    return replaced.append(text, copied);
}

} // namespace tessaril
