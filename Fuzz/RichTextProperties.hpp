#pragma once

#include <cstdio>
#include <cstdlib>

#include "Platform/Foundation/AttributedText.hpp"

namespace tessaril::fuzz {

[[noreturn]] inline void fail(const char* property) {
    std::fprintf(stderr, "broken property: %s\n", property);
    std::abort();
}

// What every reader promises of its result: runs that cover the text without gaps and never repeat
// their neighbour's attributes nor part a surrogate pair, and one paragraph style per paragraph.
inline void checkWellFormed(const platform::AttributedText& text) {
    std::size_t expected = 0;
    const platform::TextAttributes* previous = nullptr;
    for (const auto& run : text.runs()) {
        if (run.range.location != expected || run.range.length == 0) fail("runs cover the text");
        if (previous && *previous == run.attributes) fail("runs are maximal");
        const std::u16string_view string = text.string();
        if (platform::AttributedText::splitsSurrogatePair(string.substr(0, run.range.location),
                                                          string.substr(run.range.location))) {
            fail("runs keep surrogate pairs whole");
        }
        previous = &run.attributes;
        expected = run.range.end();
    }
    if (expected != text.length()) fail("runs cover the text");
    for (std::size_t location = 0; location < text.length();) {
        const platform::TextRange paragraph = text.paragraphRange({location, 0});
        if (paragraph.length == 0) fail("paragraphs advance");
        const auto& style = text.attributes(paragraph.location).paragraphStyle;
        for (const auto& run : text.runs(paragraph)) {
            if (run.attributes.paragraphStyle != style) fail("one paragraph style per paragraph");
        }
        location = paragraph.end();
    }
}

} // namespace tessaril::fuzz
