#include "TessarilCore/FixedPhraseInsertion.hpp"

#include <utility>

#include "TessarilCore/FixedPhraseLegacyModes.hpp"

namespace tessaril {

FixedPhraseInsertion::FixedPhraseInsertion(std::string plainText_, std::optional<std::string> richTextRTFBase64_,
                                           std::optional<std::string> htmlText_, FixedPhraseInsertionFormat format_,
                                           std::optional<FixedPhraseInputMode> inputMode_,
                                           std::optional<FixedPhrasePreviewMode> previewMode_,
                                           std::optional<FixedPhraseInsertionMode> insertionMode_)
    : plainText(std::move(plainText_)), richTextRTFBase64(std::move(richTextRTFBase64_)), htmlText(std::move(htmlText_)),
      format(format_), inputMode(inputMode_.value_or(fixed_phrase::derivedInputMode(format_, false))),
      previewMode(previewMode_.value_or(fixed_phrase::derivedPreviewMode(format_))),
      insertionMode(insertionMode_.value_or(fixed_phrase::derivedInsertionMode(format_))) {}

} // namespace tessaril
