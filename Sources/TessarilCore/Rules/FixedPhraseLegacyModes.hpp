#pragma once

#include "TessarilCore/Rules/FixedPhraseInputMode.hpp"
#include "TessarilCore/Rules/FixedPhraseInsertionFormat.hpp"
#include "TessarilCore/Rules/FixedPhraseInsertionMode.hpp"
#include "TessarilCore/Rules/FixedPhrasePreviewMode.hpp"

namespace tessaril::fixed_phrase {

// Older documents stored only the insertion format; the editor and insertion modes a phrase had then
// follow from it. A plain phrase that carries RTF was edited as rich text.
constexpr FixedPhraseInputMode derivedInputMode(FixedPhraseInsertionFormat format, bool hasRichText) noexcept {
    switch (format) {
    case FixedPhraseInsertionFormat::rich: return FixedPhraseInputMode::rich;
    case FixedPhraseInsertionFormat::html: return FixedPhraseInputMode::plain;
    case FixedPhraseInsertionFormat::plain: return hasRichText ? FixedPhraseInputMode::rich : FixedPhraseInputMode::plain;
    }
    return FixedPhraseInputMode::plain;
}

constexpr FixedPhrasePreviewMode derivedPreviewMode(FixedPhraseInsertionFormat format) noexcept {
    return format == FixedPhraseInsertionFormat::html ? FixedPhrasePreviewMode::html : FixedPhrasePreviewMode::raw;
}

constexpr FixedPhraseInsertionMode derivedInsertionMode(FixedPhraseInsertionFormat format) noexcept {
    return format == FixedPhraseInsertionFormat::plain ? FixedPhraseInsertionMode::text : FixedPhraseInsertionMode::visual;
}

} // namespace tessaril::fixed_phrase
