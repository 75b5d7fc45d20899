#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Foundation/AttributedText.hpp"

namespace tessaril {

// The RTF a rule or a draft keeps as base64 text, read back. Pure; any thread.
struct FixedPhraseStoredRTF {
    std::vector<std::uint8_t> bytes;
    // The document as read, with every attribute it carries.
    platform::AttributedText text;

    // None when there is no text, it is not standard base64, or the bytes are no RTF document.
    static std::optional<FixedPhraseStoredRTF> read(const std::optional<std::string>& base64);
};

// The base64 RTF document of a text; none for the empty text.
std::optional<std::string> fixedPhraseRTFBase64(const platform::AttributedText& text);

// Whether a text carries formatting worth keeping: a link, a colour, a line, a list, an alignment,
// spacing or indents, bold or italic, another size than 14 points (beyond 0.1) or another family than
// the system font's. Text without attributes is plain.
bool fixedPhraseHasMeaningfulRichAttributes(const platform::AttributedText& text);

// The text as HTML for the source editor: the semantic body a rich phrase is inserted with. None for
// the empty text.
std::optional<std::string> fixedPhraseHTMLSource(const platform::AttributedText& text);

} // namespace tessaril
