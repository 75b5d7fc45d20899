#pragma once

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// How a phrase reaches the target: typed as synthetic key events (text), or pasted through the
// pasteboard (visual).
enum class FixedPhraseInsertionMode { text, visual };

template <> struct EnumCases<FixedPhraseInsertionMode> {
    static constexpr std::string_view typeName = "FixedPhraseInsertionMode";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<FixedPhraseInsertionMode, std::string_view>, 2> cases{{
        {FixedPhraseInsertionMode::text, "text"},
        {FixedPhraseInsertionMode::visual, "visual"},
    }};
};

} // namespace tessaril
