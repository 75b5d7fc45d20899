#pragma once

#include <string_view>

namespace tessaril {

// Whether a plain phrase's text holds something tag-like: "<" or "</" directly followed by an ASCII
// letter, with a ">" somewhere after that letter. "< b>" and "a < b > c" are not HTML. Linear.
bool fixedPhraseLooksLikeHTML(std::string_view text);

} // namespace tessaril
