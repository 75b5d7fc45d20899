#include "TessarilCore/Rules/FixedPhraseInsertion.hpp"

#include <utility>

#include "TessarilCore/Rules/FixedPhraseLegacyModes.hpp"

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

Json JSONCoding<FixedPhraseInsertion>::encode(const FixedPhraseInsertion& insertion) {
    Json object{{"plainText", insertion.plainText},
                {"format", coding::encode(insertion.format)},
                {"inputMode", coding::encode(insertion.inputMode)},
                {"previewMode", coding::encode(insertion.previewMode)},
                {"insertionMode", coding::encode(insertion.insertionMode)}};
    if (insertion.richTextRTFBase64) object["richTextRTFBase64"] = *insertion.richTextRTFBase64;
    if (insertion.htmlText) object["htmlText"] = *insertion.htmlText;
    return object;
}

FixedPhraseInsertion JSONCoding<FixedPhraseInsertion>::decode(const Json& value) {
    coding::expectObject(value, "FixedPhraseInsertion");
    FixedPhraseInsertion insertion;
    insertion.plainText = coding::decodeRequired<std::string>(value, "plainText");
    insertion.richTextRTFBase64 = coding::decodeOptional<std::string>(value, "richTextRTFBase64");
    insertion.htmlText = coding::decodeOptional<std::string>(value, "htmlText");
    insertion.format = coding::decodeRequired<FixedPhraseInsertionFormat>(value, "format");
    insertion.inputMode = coding::decodeRequired<FixedPhraseInputMode>(value, "inputMode");
    insertion.previewMode = coding::decodeRequired<FixedPhrasePreviewMode>(value, "previewMode");
    insertion.insertionMode = coding::decodeRequired<FixedPhraseInsertionMode>(value, "insertionMode");
    return insertion;
}

} // namespace tessaril
