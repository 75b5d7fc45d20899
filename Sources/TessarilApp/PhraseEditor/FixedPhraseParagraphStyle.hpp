#pragma once

#include <array>
#include <string_view>
#include <utility>

#include "Platform/Foundation/Font.hpp"
#include "Platform/Foundation/ParagraphStyle.hpp"
#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// The paragraph looks of the rich toolbar's paragraph menu and of the plain editor's markup menu.
// The converters classify them back: a 22-point font is a level-2 heading, 18 points level 3, an
// indent of 18 a quote, a fixed-pitch font or a background colour code.
enum class FixedPhraseParagraphStyle { body, heading2, heading3, quote, code };

// The style's font; `fallbackSize` is the size of the font already on the text. Body and quote keep
// that size (at least 14 points) unless it is a heading's size.
platform::Font fixedPhraseParagraphFont(FixedPhraseParagraphStyle style, double fallbackSize);
// A new paragraph style with the style's spacing and indents and every other value at its default.
platform::ParagraphStyle fixedPhraseParagraphLayout(FixedPhraseParagraphStyle style);

} // namespace tessaril

template <> struct tessaril::EnumCases<tessaril::FixedPhraseParagraphStyle> {
    using Style = tessaril::FixedPhraseParagraphStyle;
    static constexpr std::string_view typeName = "FixedPhraseParagraphStyle";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<Style, std::string_view>, 5> cases{{
        {Style::body, "body"},
        {Style::heading2, "heading2"},
        {Style::heading3, "heading3"},
        {Style::quote, "quote"},
        {Style::code, "code"},
    }};
};
