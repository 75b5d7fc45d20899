#pragma once

#include <optional>
#include <string>

#include "TessarilCore/Rules/FixedPhraseInputMode.hpp"
#include "TessarilCore/Rules/FixedPhraseInsertionMode.hpp"
#include "TessarilCore/Rules/FixedPhrasePreviewMode.hpp"

namespace tessaril {

// One fixed-phrase rule's editable state, as a panel shows it; equal only when every field is.
struct FixedPhraseEditorSnapshot {
    std::string title;
    std::string plainText;
    std::string htmlText;
    std::optional<std::string> richTextRTFBase64;
    FixedPhraseInputMode inputMode = FixedPhraseInputMode::rich;
    FixedPhrasePreviewMode previewMode = FixedPhrasePreviewMode::raw;
    FixedPhraseInsertionMode insertionMode = FixedPhraseInsertionMode::visual;

    friend bool operator==(const FixedPhraseEditorSnapshot&, const FixedPhraseEditorSnapshot&) = default;
};

} // namespace tessaril
