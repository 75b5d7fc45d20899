#include "TessarilApp/PhraseEditor/FixedPhraseRichStyle.hpp"

#include "TessarilApp/PhraseEditor/FixedPhraseCharacterCommands.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseLinkCommands.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseListCommands.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseParagraphCommands.hpp"

namespace tessaril {

using platform::TextAlignment;

bool applyFixedPhraseRichStyle(std::string_view style, FixedPhraseTextViewState& view, appkit::AlertPresenter& alerts,
                               FixedPhraseLinkPrompt& prompt) {
    if (style == "bold") {
        applyFixedPhraseFontTrait(FixedPhraseFontTrait::bold, view);
    } else if (style == "italic") {
        applyFixedPhraseFontTrait(FixedPhraseFontTrait::italic, view);
    } else if (style == "underline") {
        applyFixedPhraseDecoration(FixedPhraseDecoration::underline, view);
    } else if (style == "strikethrough") {
        applyFixedPhraseDecoration(FixedPhraseDecoration::strikethrough, view);
    } else if (style == "link") {
        applyFixedPhraseLink(view, alerts, prompt);
    } else if (style == "bullet") {
        applyFixedPhraseListStyle(FixedPhraseListKind::bullet, view);
    } else if (style == "numbered") {
        applyFixedPhraseListStyle(FixedPhraseListKind::numbered, view);
    } else if (style == "alignLeft") {
        applyFixedPhraseParagraphAlignment(TextAlignment::left, view);
    } else if (style == "alignCenter") {
        applyFixedPhraseParagraphAlignment(TextAlignment::center, view);
    } else if (style == "alignRight") {
        applyFixedPhraseParagraphAlignment(TextAlignment::right, view);
    } else if (style == "clear") {
        clearFixedPhraseRichFormatting(view);
    } else {
        return false;
    }
    return true;
}

} // namespace tessaril
