#pragma once

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// Which stored content of a phrase is inserted.
enum class FixedPhraseInsertionFormat { plain, rich, html };

template <> struct EnumCases<FixedPhraseInsertionFormat> {
    static constexpr std::string_view typeName = "FixedPhraseInsertionFormat";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<FixedPhraseInsertionFormat, std::string_view>, 3> cases{{
        {FixedPhraseInsertionFormat::plain, "plain"},
        {FixedPhraseInsertionFormat::rich, "rich"},
        {FixedPhraseInsertionFormat::html, "html"},
    }};
};

} // namespace tessaril
