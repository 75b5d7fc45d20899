#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessaril::unicode {

// What Swift strings give for free, over ICU. All texts are UTF-8; invalid sequences count as U+FFFD.

// Number of user-perceived characters (extended grapheme clusters).
std::size_t characterCount(std::string_view text);
// The first `count` user-perceived characters.
std::string prefixCharacters(std::string_view text, std::size_t count);
// The same, without white space or line breaks at its end: a name cut to its limit, which cleaning
// again leaves unchanged.
std::string prefixCharactersTrimmingEnd(std::string_view text, std::size_t count);
// The user-perceived characters of `text`, each as its own string.
std::vector<std::string> characters(std::string_view text);

// Full Unicode case mapping (root locale), as `lowercased()` / `uppercased()` do.
std::string lowercased(std::string_view text);
std::string uppercased(std::string_view text);

// White space and line breaks: Unicode Z* categories, U+0009…U+000D and U+0085.
bool isWhitespaceOrNewline(char32_t scalar);
// Unicode White_Space property, as `Character.isWhitespace` tests it (on the first scalar).
bool isWhitespace(char32_t scalar);

std::string trimmingWhitespaceAndNewlines(std::string_view text);
std::string trimmingTrailingWhitespaceAndNewlines(std::string_view text);
bool isBlank(std::string_view text); // empty after trimming

// Canonical equivalence: texts compare equal when their NFC forms are equal.
std::string nfc(std::string_view text);
bool canonicallyEqual(std::string_view left, std::string_view right) noexcept;
// A hash that agrees with canonicallyEqual.
std::size_t canonicalHash(std::string_view text) noexcept;

// Localized, numeric-aware, case-insensitive comparison (the order a Finder listing uses) in Japanese
// collation, whatever the process locale. Negative, zero or positive.
int localizedStandardCompare(std::string_view left, std::string_view right);

// Stable sort by a text key with localizedStandardCompare.
template <class T, class KeyOf> void stableSortLocalized(std::vector<T>& values, KeyOf keyOf) {
    std::stable_sort(values.begin(), values.end(), [&](const T& left, const T& right) {
        return localizedStandardCompare(keyOf(left), keyOf(right)) < 0;
    });
}

// UTF-8 ↔ UTF-16 / scalars, replacing invalid input with U+FFFD.
std::u16string toUTF16(std::string_view text);
std::string fromUTF16(std::u16string_view text);
std::vector<char32_t> scalars(std::string_view text);
std::string fromScalars(const std::vector<char32_t>& scalars);
std::size_t utf16Length(std::string_view text);

bool isASCII(std::string_view text) noexcept;

} // namespace tessaril::unicode
