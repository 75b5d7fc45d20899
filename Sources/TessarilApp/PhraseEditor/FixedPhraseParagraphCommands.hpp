#pragma once

#include <vector>

#include "Platform/Foundation/TextAlignment.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseParagraphStyle.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseTextViewState.hpp"

namespace tessaril {

// The paragraph commands of the rich toolbar over a view state. Each works on the paragraphs of the
// primary selection and first drops the preserved pasted RTF.

// Every paragraph the range touches, once each and in order; at least the one at the caret. None
// for an empty text.
std::vector<platform::TextRange> fixedPhraseParagraphRanges(const platform::AttributedText& text,
                                                            platform::TextRange covering);

// Gives the selection's paragraphs the style: its font at each run's size, its spacing and indents
// (alignment, lists and tabs back to their defaults), no colours, and the grey background for code;
// then selects them. On an empty last line only the typing attributes change.
void applyFixedPhraseParagraphStyle(FixedPhraseParagraphStyle style, FixedPhraseTextViewState& view);

// A selection's paragraphs get a paragraph style holding only the alignment. With a caret, the
// caret's paragraph and the typing attributes take the alignment and keep their other values.
void applyFixedPhraseParagraphAlignment(platform::TextAlignment alignment, FixedPhraseTextViewState& view);

// The selected characters keep only the 14-point system font; with a caret, so do the typing
// attributes.
void clearFixedPhraseRichFormatting(FixedPhraseTextViewState& view);

} // namespace tessaril
