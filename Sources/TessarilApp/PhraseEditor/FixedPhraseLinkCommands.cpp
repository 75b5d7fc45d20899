#include "TessarilApp/PhraseEditor/FixedPhraseLinkCommands.hpp"

#include <algorithm>
#include <vector>

#include "TessarilApp/PhraseEditor/FixedPhraseCharacterCommands.hpp"
#include "TessarilApp/PhraseEditor/SystemColors.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {

using platform::AttributedText;
using platform::TextAttributes;
using platform::TextRange;

namespace {

void removeLinkLook(AttributedText& text, TextRange range) {
    text.updateAttributes(range, [](TextAttributes& attributes) {
        attributes.link.reset();
        attributes.foregroundColor.reset();
        attributes.underlineStyle.reset();
    });
}

} // namespace

bool removeFixedPhraseExistingLink(FixedPhraseTextViewState& view, TextRange selectedRange) {
    AttributedText& text = view.text;
    if (text.empty()) return false;
    std::vector<TextRange> linked;
    if (selectedRange.length > 0) {
        for (const auto& run : text.runs(fixedPhraseClippedRange(text, selectedRange))) {
            if (run.attributes.link && run.range.length >= 1) linked.push_back(run.range);
        }
    } else {
        if (selectedRange.location >= text.length()) return false;
        TextRange effective;
        if (!text.attributes(selectedRange.location, &effective).link) return false;
        // The whole link, not only the run of equal attributes: a link whose words differ in
        // formatting is still one link.
        const std::string target = *text.attributes(selectedRange.location).link;
        while (effective.location > 0 && text.attributes(effective.location - 1).link == target) {
            TextRange before;
            text.attributes(effective.location - 1, &before);
            effective = {before.location, effective.end() - before.location};
        }
        while (effective.end() < text.length() && text.attributes(effective.end()).link == target) {
            TextRange after;
            text.attributes(effective.end(), &after);
            effective.length = after.end() - effective.location;
        }
        linked.push_back(effective);
    }
    if (linked.empty()) return false;
    for (const TextRange& range : linked) removeLinkLook(text, range);
    view.preservedWholePasteRTFData.reset();
    return true;
}

bool applyFixedPhraseLink(FixedPhraseTextViewState& view, appkit::AlertPresenter& alerts,
                          FixedPhraseLinkPrompt& prompt) {
    const TextRange selected = fixedPhraseClippedRange(view.text, view.primarySelectedRange());
    if (removeFixedPhraseExistingLink(view, selected)) return true;
    if (selected.length == 0) {
        alerts.runModal({appkit::Alert::Style::warning, "リンクを設定できません", "リンクにしたい文字を選択してください。", {"OK"}});
        return false;
    }
    std::string initialText;
    if (selected.location < view.text.length()) {
        initialText = view.text.attributes(selected.location).link.value_or("");
    }
    const auto answer = prompt.requestLink(initialText);
    if (!answer) return false;
    const std::string link = unicode::trimmingWhitespaceAndNewlines(*answer);
    if (link.empty()) return false;
    view.preservedWholePasteRTFData.reset();
    TextAttributes look;
    look.link = link;
    look.foregroundColor = systemBlue;
    look.underlineStyle = 1;
    view.text.addAttributes(look, selected);
    return true;
}

} // namespace tessaril
