#pragma once

#include <string_view>

namespace tessaril::platform {

// The elements the HTML reader gives a meaning to; every other name is `other`.
enum class HTMLTagName {
    a, address, article, aside, b, blockquote, body, br, caption, center, code, dd, del, details, dialog, dir,
    div, dl, dt, em, fieldset, figcaption, figure, footer, form, h1, h2, h3, h4, h5, h6, head, header, hgroup,
    hr, i, legend, li, main, menu, nav, ol, p, pre, s, script, search, section, span, strike, strong, style,
    summary, table, td, th, title, tr, u, ul, other,
};

inline constexpr std::size_t htmlTagNameCount = static_cast<std::size_t>(HTMLTagName::other) + 1;

// The tag of a lower-case element name.
HTMLTagName htmlTagName(std::string_view lowercasedName);
// Elements that start and end a block of their own (and close an open paragraph): every element that
// a browser lays out as a block, a list item or a part of a table.
bool isBlockElement(HTMLTagName name);

} // namespace tessaril::platform
