#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Platform/Foundation/Color.hpp"
#include "Platform/Foundation/TextAlignment.hpp"

namespace tessaril::platform {

// The declarations of a style attribute that the text takes over: font size and family, text and
// background colour, alignment, and whether white space is kept. Other declarations and values that
// do not parse are ignored.
struct HTMLInlineStyle {
    // A font family: the monospaced or the plain system font, or a named family.
    struct Family {
        bool monospaced = false;
        std::string name; // empty: the system font
    };

    std::optional<double> fontSizePoints;     // px and pt count as points
    std::optional<double> fontSizeScale;      // em and %: relative to the size in force
    std::optional<Family> fontFamily;
    std::optional<Color> color;
    std::optional<Color> backgroundColor;
    std::optional<TextAlignment> textAlign;
    // white-space: pre, pre-wrap and break-spaces keep white space as written; other values collapse it.
    std::optional<bool> preservesWhiteSpace;

    static HTMLInlineStyle parse(std::u16string_view declarations);
    // A CSS colour: #rgb, #rgba, #rrggbb, #rrggbbaa, rgb(…) or rgba(…) with numbers or percentages.
    static std::optional<Color> parseColor(std::string_view value);
};

} // namespace tessaril::platform
