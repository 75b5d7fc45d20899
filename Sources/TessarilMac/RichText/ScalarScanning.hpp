#pragma once

#include <cstddef>
#include <string_view>

namespace tessaril::scalar_scanning {

// Code-point steps over UTF-8 text for the hand-written converters. Markup delimiters are ASCII and
// never occur inside a multi-byte sequence, so the scanners look at bytes and decode only where a
// Unicode property matters. Invalid sequences decode as U+FFFD and advance by what ICU consumed.

// The scalar starting at `offset`; moves `offset` past it. `offset` must be inside the text.
char32_t next(std::string_view text, std::size_t& offset);
// The same over UTF-16 text; a lone surrogate decodes as U+FFFD.
char32_t next(std::u16string_view text, std::size_t& offset);

// The scalar ending at `end` and the offset where it starts. `end` must be above 0.
char32_t previous(std::string_view text, std::size_t& end);

// Letters, marks and digits of any script, as the platform's alphanumeric set holds them.
bool isAlphanumeric(char32_t scalar);
// A decimal digit of any script (the regular-expression class \d).
bool isDecimalDigit(char32_t scalar);
// The tab and every space separator (category Zs), the ideographic space included.
bool isBlank(char32_t scalar);

// Offset of the first scalar at or after `from` that fails `keep`; the text's size when all pass.
template <class Text, class Predicate> std::size_t skipScalars(Text text, std::size_t from, Predicate keep) {
    std::size_t offset = from;
    while (offset < text.size()) {
        std::size_t after = offset;
        if (!keep(next(text, after))) break;
        offset = after;
    }
    return offset;
}

// Offset just past the last scalar before `to` that fails `drop`, not going below `from`.
template <class Predicate>
std::size_t dropTrailingScalars(std::string_view text, std::size_t from, std::size_t to, Predicate drop) {
    std::size_t end = to;
    while (end > from) {
        std::size_t start = end;
        if (!drop(previous(text, start))) break;
        end = start;
    }
    return end;
}

} // namespace tessaril::scalar_scanning
