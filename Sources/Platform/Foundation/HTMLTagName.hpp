#pragma once

#include <string_view>

namespace tessaril::platform {

// The elements the HTML reader gives a meaning to; every other name is `other`.
enum class HTMLTagName {
    a, b, blockquote, body, br, code, del, div, em, h1, h2, h3, h4, head, hr, i, li, ol, p, pre, s, script,
    span, strike, strong, style, table, td, th, title, tr, u, ul, other,
};

inline constexpr std::size_t htmlTagNameCount = static_cast<std::size_t>(HTMLTagName::other) + 1;

// The tag of a lower-case element name.
HTMLTagName htmlTagName(std::string_view lowercasedName);
// Elements that start and end a block of their own (and close an open paragraph).
bool isBlockElement(HTMLTagName name);

} // namespace tessaril::platform
