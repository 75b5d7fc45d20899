#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "Platform/Foundation/AttributedText.hpp"
#include "PlatformTests/Foundation/AttributedTextPrinter.hpp"

namespace tessaril::platform::test_support {

// Attributed text written as its runs.
inline AttributedText runs(std::initializer_list<std::pair<std::u16string, TextAttributes>> pieces) {
    AttributedText text;
    for (const auto& [string, attributes] : pieces) text.append(string, attributes);
    return text;
}

inline TextAttributes withFont(Font font) {
    TextAttributes attributes;
    attributes.font = std::move(font);
    return attributes;
}

inline Font named(std::string family, double size, FontWeight weight = FontWeight::regular, bool italic = false,
                  bool fixedPitch = false) {
    return Font{std::move(family), size, weight, italic, fixedPitch};
}

// `base` changed by `set`.
inline TextAttributes changed(TextAttributes base, const std::function<void(TextAttributes&)>& set) {
    set(base);
    return base;
}

inline TextAttributes with(TextAttributes attributes, const std::optional<ParagraphStyle>& style) {
    attributes.paragraphStyle = style;
    return attributes;
}

} // namespace tessaril::platform::test_support
