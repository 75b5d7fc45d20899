#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "Platform/Foundation/AttributedText.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril::rich_text_test {

using platform::AttributedText;
using platform::Color;
using platform::Font;
using platform::FontWeight;
using platform::ParagraphStyle;
using platform::TextAttributes;
using platform::TextList;

// An attributed text made of (UTF-8 text, attributes) runs in order.
inline AttributedText text(std::initializer_list<std::pair<std::string, TextAttributes>> runs) {
    AttributedText result;
    for (const auto& [characters, attributes] : runs)
        result.append(unicode::toUTF16(characters), attributes);
    return result;
}

inline TextAttributes withFont(Font font) {
    TextAttributes attributes;
    attributes.font = std::move(font);
    return attributes;
}

inline TextAttributes body() {
    return withFont(Font::system(14));
}

inline TextAttributes listItem(std::string_view markerFormat, TextAttributes attributes = body()) {
    ParagraphStyle style;
    style.textLists = {TextList{std::string(markerFormat)}};
    attributes.paragraphStyle = style;
    return attributes;
}

inline TextAttributes styled(TextAttributes attributes, void (*change)(TextAttributes&)) {
    change(attributes);
    return attributes;
}

} // namespace tessaril::rich_text_test
