#pragma once

#include <array>
#include <string_view>
#include <utility>

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// The colours the fixed-phrase editor shows its bodies in; never saved.
enum class FixedPhraseEditorAppearance { dark, light };

template <> struct EnumCases<FixedPhraseEditorAppearance> {
    static constexpr std::string_view typeName = "FixedPhraseEditorAppearance";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<FixedPhraseEditorAppearance, std::string_view>, 2> cases{{
        {FixedPhraseEditorAppearance::dark, "dark"},
        {FixedPhraseEditorAppearance::light, "light"},
    }};
};

} // namespace tessaril
