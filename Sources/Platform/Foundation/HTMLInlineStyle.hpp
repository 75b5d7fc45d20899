#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Platform/Foundation/Color.hpp"
#include "Platform/Foundation/FontWeight.hpp"
#include "Platform/Foundation/TextAlignment.hpp"

namespace tessaril::platform {

// The declarations of a style attribute that the text takes over: font size, family, weight and style,
// the lines drawn under and through it, text and background colour, alignment, and whether white space
// is kept. Other declarations and values that do not parse are ignored.
struct HTMLInlineStyle {
    // A font family: the monospaced or the plain system font, or a named family.
    struct Family {
        bool monospaced = false;
        std::string name; // empty: the system font
    };

    // font-weight: a number from 1 to 1000 (normal 400, bold 700), or one step bolder or lighter than
    // the weight the element inherits.
    struct Weight {
        enum class Kind { absolute, bolder, lighter };
        Kind kind = Kind::absolute;
        double value = 400;

        // The weight of the text, given the one the element inherits; 600 and heavier is bold.
        FontWeight resolved(FontWeight inherited) const;
    };
    // text-decoration: the lines the element draws itself ("none": none of its own).
    struct Decoration {
        bool underline = false;
        bool lineThrough = false;
    };

    std::optional<double> fontSizePoints;     // px and pt count as points
    std::optional<double> fontSizeScale;      // em and %: relative to the size in force
    std::optional<Family> fontFamily;
    std::optional<Weight> fontWeight;
    std::optional<bool> italic; // font-style: italic and oblique, or normal
    std::optional<Decoration> textDecoration;
    std::optional<Color> color;
    std::optional<Color> backgroundColor;
    std::optional<TextAlignment> textAlign;
    // white-space: pre, pre-wrap and break-spaces keep white space as written; other values collapse it.
    std::optional<bool> preservesWhiteSpace;

    static HTMLInlineStyle parse(std::u16string_view declarations);
    // A CSS colour: #rgb, #rgba, #rrggbb, #rrggbbaa, rgb(…) or rgba(…) with numbers or percentages, in
    // the comma or the space form ("rgb(0 0 0 / 50%)"), or a colour keyword. A colour with alpha 0
    // ("transparent", which browsers write on ordinary text) is no colour: none.
    static std::optional<Color> parseColor(std::string_view value);
};

} // namespace tessaril::platform
