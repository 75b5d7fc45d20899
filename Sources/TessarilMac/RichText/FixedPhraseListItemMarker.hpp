#pragma once

#include <cstddef>
#include <string_view>

#include "TessarilMac/RichText/ScalarScanning.hpp"

namespace tessaril::list_item_marker {

// Bullets and numbers that word processors paste into a list item's own text, recognised at a
// position: a run of bullet characters, decimal digits with "." or ")", or a "|" — each followed by
// tabs or spaces. "l" and "I" stand for bullets only when a tab follows them (the form pasted from
// symbol fonts), so a sentence such as "I agree" keeps its first word.

inline bool isBulletScalar(char32_t scalar) {
    switch (scalar) {
    case U'\u2022':
    case U'\u25CF':
    case U'\u25E6':
    case U'\u25AA':
    case U'\u2023':
    case U'\u2219':
    case U'\u00B7':
    case U'\uF0B7':
    case U'\uF0A7':
    case U'*':
    case U'-':
        return true;
    default:
        return false;
    }
}

inline bool isTabOrSpace(char32_t scalar) {
    return scalar == U'\t' || scalar == U' ';
}

// The end of the marker that starts at `from` (after optional tabs and spaces when `leadingBlanks`),
// or `from` when there is none. Works on UTF-8 and UTF-16 alike.
template <class Text> std::size_t markerEnd(Text text, std::size_t from, bool leadingBlanks) {
    namespace scan = scalar_scanning;
    std::size_t start = leadingBlanks ? scan::skipScalars(text, from, isTabOrSpace) : from;
    auto blanksAfter = [&](std::size_t markerStop) {
        std::size_t end = scan::skipScalars(text, markerStop, isTabOrSpace);
        return end > markerStop ? end : from;
    };
    std::size_t bullets = scan::skipScalars(text, start, isBulletScalar);
    if (bullets > start) {
        std::size_t end = blanksAfter(bullets);
        if (end != from) return end;
    }
    std::size_t digits = scan::skipScalars(text, start, scan::isDecimalDigit);
    if (digits > start && digits < text.size() && (text[digits] == '.' || text[digits] == ')')) {
        std::size_t end = blanksAfter(digits + 1);
        if (end != from) return end;
    }
    if (start < text.size()) {
        auto first = text[start];
        if (first == '|') return blanksAfter(start + 1);
        if ((first == 'l' || first == 'I') && start + 1 < text.size() && text[start + 1] == '\t') {
            return blanksAfter(start + 1);
        }
    }
    return from;
}

} // namespace tessaril::list_item_marker
