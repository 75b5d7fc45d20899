#pragma once

#include <optional>
#include <string_view>

#include "Platform/Foundation/AttributedText.hpp"
#include "TessarilCore/Rules/FixedPhraseInsertion.hpp"

namespace tessaril {

// The attributed forms of fixed phrases that the pasteboard payload and the phrase editor share.
// Pure; any thread.

// The text in the 14-point system font, nothing else.
platform::AttributedText fixedPhrasePlainAttributedString(std::string_view text);

// A copy whose paragraphs with their own look (a background, an indent of 16 points or more, a
// fixed-pitch font, or a font of 12.5 points or less) lose their text colour, so that they stay
// legible on the editor's light or dark background.
platform::AttributedText fixedPhraseDisplaySafeAttributedString(const platform::AttributedText& text);

// HTML read as the pasteboard's receivers render it, sanitised first when it is the user's own. Links
// whose targets could run script are left as plain text.
std::optional<platform::AttributedText> fixedPhraseAttributedString(std::string_view html,
                                                                    bool sanitizesUserHTML);

// The styled form of a plain phrase: raw text in the system font, rendered markdown, or its sanitised
// HTML source as rendered.
std::optional<platform::AttributedText>
fixedPhraseVisualAttributedString(const FixedPhraseInsertion& insertion);

} // namespace tessaril
