#pragma once

#include <string_view>

#include "TessarilApp/AppKit/AlertPresenter.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseLinkPrompt.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseTextViewState.hpp"

namespace tessaril {

// Runs the command of a style button by its key: "bold", "italic", "underline", "strikethrough",
// "link", "bullet", "numbered", "alignLeft", "alignCenter", "alignRight", "clear". Answers false for
// any other key, which changes nothing.
bool applyFixedPhraseRichStyle(std::string_view style, FixedPhraseTextViewState& view, appkit::AlertPresenter& alerts,
                               FixedPhraseLinkPrompt& prompt);

} // namespace tessaril
