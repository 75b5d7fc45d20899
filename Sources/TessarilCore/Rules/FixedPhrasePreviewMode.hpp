#pragma once

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// How the phrase editor's source view and preview treat the text.
enum class FixedPhrasePreviewMode { raw, markdown, html };

template <> struct EnumCases<FixedPhrasePreviewMode> {
    static constexpr std::string_view typeName = "FixedPhrasePreviewMode";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<FixedPhrasePreviewMode, std::string_view>, 3> cases{{
        {FixedPhrasePreviewMode::raw, "raw"},
        {FixedPhrasePreviewMode::markdown, "markdown"},
        {FixedPhrasePreviewMode::html, "html"},
    }};
};

} // namespace tessaril
