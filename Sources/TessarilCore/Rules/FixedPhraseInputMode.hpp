#pragma once

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// How the phrase editor shows a phrase for editing.
enum class FixedPhraseInputMode { plain, rich };

template <> struct EnumCases<FixedPhraseInputMode> {
    static constexpr std::string_view typeName = "FixedPhraseInputMode";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<FixedPhraseInputMode, std::string_view>, 2> cases{{
        {FixedPhraseInputMode::plain, "plain"},
        {FixedPhraseInputMode::rich, "rich"},
    }};
};

} // namespace tessaril
