#pragma once

#include <optional>

#include "Platform/Foundation/ParagraphStyle.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseListKind.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseTextViewState.hpp"

namespace tessaril {

// The list buttons. A list lives in the paragraph attributes only (a text list, a 24-point indent and
// a tab stop there); no marker characters are written into the text.

// The kind of a list as the converters read it: equal markers for items 1 and 2 make a bullet list;
// different ones a numbered list when item 1's has a decimal digit, else a bullet list.
FixedPhraseListKind fixedPhraseListKind(const platform::TextList& list);
// Whether any list of the paragraph style is of the kind.
bool fixedPhraseParagraphStyleHasList(const std::optional<platform::ParagraphStyle>& style, FixedPhraseListKind kind);

// A toggle per kind over the selection's paragraphs: removed when every non-blank paragraph already
// has a list of this kind, added otherwise (replacing a list of the other kind). On an empty text or
// on an empty last line only the typing attributes change. Selects the paragraphs.
void applyFixedPhraseListStyle(FixedPhraseListKind kind, FixedPhraseTextViewState& view);

bool fixedPhraseTypingAttributesContainList(FixedPhraseListKind kind, const FixedPhraseTextViewState& view);
void applyFixedPhraseTypingListStyle(FixedPhraseListKind kind, bool removing, FixedPhraseTextViewState& view);

} // namespace tessaril
