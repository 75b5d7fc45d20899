#pragma once

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril::platform {

// Alignment of a paragraph or a tab stop; natural follows the writing direction.
enum class TextAlignment { natural, left, center, right, justified };

} // namespace tessaril::platform

template <> struct tessaril::EnumCases<tessaril::platform::TextAlignment> {
    using TextAlignment = tessaril::platform::TextAlignment;
    static constexpr std::string_view typeName = "TextAlignment";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<TextAlignment, std::string_view>, 5> cases{{
        {TextAlignment::natural, "natural"},
        {TextAlignment::left, "left"},
        {TextAlignment::center, "center"},
        {TextAlignment::right, "right"},
        {TextAlignment::justified, "justified"},
    }};
};
