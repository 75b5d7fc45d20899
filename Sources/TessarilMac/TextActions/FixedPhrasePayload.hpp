#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Platform/Foundation/AttributedText.hpp"
#include "TessarilCore/Rules/FixedPhraseInsertion.hpp"

namespace tessaril {

// The flavours a fixed phrase is inserted with: typed or pasted text, RTF and HTML. Conversions that
// fail leave their flavour out instead of stopping the insertion. Pure; any thread.

// `htmlText` when present and not empty, otherwise `plainText`.
std::string_view fixedPhraseHTMLSource(const FixedPhraseInsertion& insertion);

// What is typed, and the string flavour: for a plain phrase shown as HTML, the text its tag-like
// source renders to (when not blank); in every other case `plainText` unchanged.
std::string fixedPhraseTextPayload(const FixedPhraseInsertion& insertion);

// The characters of sanitised HTML as rendered, trimmed at both ends; empty when nothing is left.
std::string fixedPhrasePlainText(std::string_view html);

// The RTF document of a text; none for the empty text.
std::optional<std::string> fixedPhraseRTFData(const platform::AttributedText& text);

// The HTML flavour of a plain phrase: for markdown the framed markdown body, for HTML the sanitised
// source without a frame (empty when nothing survives); none for raw and rich phrases and for an
// empty HTML source.
std::optional<std::string> fixedPhraseClipboardHTML(const FixedPhraseInsertion& insertion);

} // namespace tessaril
