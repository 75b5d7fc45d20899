#pragma once

#include <optional>
#include <string>

#include "TessarilCore/Rules/FixedPhraseInputMode.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Rules/FixedPhraseInsertionFormat.hpp"
#include "TessarilCore/Rules/FixedPhraseInsertionMode.hpp"
#include "TessarilCore/Rules/FixedPhrasePreviewMode.hpp"

namespace tessaril {

// What one insertion of a fixed phrase carries from the rule engine to the application shell: the
// phrase's contents and how to insert them. Made on the event-tap thread, used on the main thread.
struct FixedPhraseInsertion {
    std::string plainText;
    std::optional<std::string> richTextRTFBase64;
    std::optional<std::string> htmlText;
    FixedPhraseInsertionFormat format = FixedPhraseInsertionFormat::plain;
    FixedPhraseInputMode inputMode = FixedPhraseInputMode::plain;
    FixedPhrasePreviewMode previewMode = FixedPhrasePreviewMode::raw;
    FixedPhraseInsertionMode insertionMode = FixedPhraseInsertionMode::text;

    // An empty plain-text insertion.
    FixedPhraseInsertion() = default;
    // Absent modes follow from `format` alone (the RTF is not looked at).
    FixedPhraseInsertion(std::string plainText, std::optional<std::string> richTextRTFBase64,
                         std::optional<std::string> htmlText, FixedPhraseInsertionFormat format,
                         std::optional<FixedPhraseInputMode> inputMode = std::nullopt,
                         std::optional<FixedPhrasePreviewMode> previewMode = std::nullopt,
                         std::optional<FixedPhraseInsertionMode> insertionMode = std::nullopt);

    friend bool operator==(const FixedPhraseInsertion&, const FixedPhraseInsertion&) = default;
};

// An insertion is never stored; the developer tools write it as a record keyed by its field names,
// absent optionals left out.
template <> struct JSONCoding<FixedPhraseInsertion> {
    static Json encode(const FixedPhraseInsertion& insertion);
    static FixedPhraseInsertion decode(const Json& value);
};

} // namespace tessaril
