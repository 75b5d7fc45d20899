#pragma once

#include <string>
#include <string_view>

#include "TessarilApp/PhraseEditor/FixedPhraseParagraphStyle.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseTextViewState.hpp"
#include "TessarilCore/Rules/FixedPhrasePreviewMode.hpp"

namespace tessaril {

// The plain editor's markup menu: it rewrites the selection's paragraphs as markdown or HTML source
// of a paragraph style, replacing the markup a previous choice put at their start.

// The text without the markup of one earlier choice: a heading or quote prefix, one of the wrappers
// the HTML forms write, and code fences.
std::u16string fixedPhrasePlainMarkupCoreText(std::u16string_view text);
std::u16string fixedPhraseMarkdownMarkupText(FixedPhraseParagraphStyle style, std::u16string_view text);
// The HTML forms do not escape the text: it is source the user writes.
std::u16string fixedPhraseHTMLMarkupText(FixedPhraseParagraphStyle style, std::u16string_view text);

// Replaces the paragraphs of the primary selection by their markup in the syntax of the preview mode
// and selects it; the paragraphs' own line end stays. The raw mode has no markup: nothing changes.
// Answers whether the text changed.
bool applyFixedPhrasePlainMarkupStyle(FixedPhraseParagraphStyle style, FixedPhrasePreviewMode previewMode,
                                      FixedPhraseTextViewState& view);

} // namespace tessaril
