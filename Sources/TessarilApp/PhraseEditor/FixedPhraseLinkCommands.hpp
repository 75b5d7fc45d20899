#pragma once

#include "TessarilApp/AppKit/AlertPresenter.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseLinkPrompt.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseTextViewState.hpp"

namespace tessaril {

// The link button, a toggle on the primary selection: text in or at a link loses it (with its colour
// and underline); other selected text asks for an address and becomes a blue, underlined link. An
// empty selection only explains itself. Answers whether the text changed.
bool applyFixedPhraseLink(FixedPhraseTextViewState& view, appkit::AlertPresenter& alerts,
                          FixedPhraseLinkPrompt& prompt);

// Removes the links that meet the selection, or the one at the caret; answers whether it removed one.
bool removeFixedPhraseExistingLink(FixedPhraseTextViewState& view, platform::TextRange selectedRange);

} // namespace tessaril
