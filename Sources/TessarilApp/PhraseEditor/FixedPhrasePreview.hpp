#pragma once

#include <string>

#include "Platform/Foundation/AttributedText.hpp"
#include "TessarilCore/Rules/FixedPhraseRule.hpp"

class QWidget;

namespace tessaril {

namespace appkit {
class PopUpButton;
}

class AppDelegate;

// The read-only preview beside each rule's body editor and the popup that chooses how the body is
// read (plain, rich as HTML, markdown). The stored rule's input mode and the panel's preview mode
// decide; an open source editor always counts as plain input. Keeps no state; main thread only.
class FixedPhrasePreview {
public:
    explicit FixedPhrasePreview(AppDelegate& delegate) : delegate_(delegate) {}

    QWidget* makeFixedPhrasePreviewPane(const FixedPhraseRule& rule, bool isEditable, int width, int height);
    appkit::PopUpButton* makeFixedPhrasePreviewModePopup(const std::string& ruleID, FixedPhrasePreviewMode selected,
                                                         bool isEditable);

    // Recomputes one panel's preview from its editor; nothing unless both views are on screen and the
    // rule is among the selected target's.
    void updateFixedPhrasePreview(const std::string& ruleID);
    // From the editor on screen, else from the stored rule.
    platform::AttributedText fixedPhraseCurrentPreviewAttributedString(const FixedPhraseRule& rule) const;

    static platform::AttributedText fixedPhrasePreviewAttributedString(const FixedPhraseRule& rule);
    // The stored body as formatted text, in its display-safe form.
    static platform::AttributedText fixedPhraseRuleAttributedString(const FixedPhraseRule& rule);
    // The preview of rich text, and of source text, in a preview mode.
    static platform::AttributedText richPreview(const platform::AttributedText& text, FixedPhrasePreviewMode mode);
    static platform::AttributedText sourcePreview(const std::string& source, FixedPhrasePreviewMode mode);

private:
    AppDelegate& delegate_;
};

} // namespace tessaril
