#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "Platform/Foundation/Color.hpp"
#include "TessarilApp/AppKit/AlertPresenter.hpp"
#include "TessarilApp/AppKit/ColorPanelPresenter.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseCharacterCommands.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseLinkPrompt.hpp"
#include "TessarilCore/Rules/FixedPhrasePreviewMode.hpp"

class QMenu;

namespace tessaril {

class TessarilTextView;

// What the phrase editor's toolbars and menus do: each action finds the rule's editor by the control's
// identifier, runs its command on the editor's text, gives the editor the focus back and refreshes the
// rule's preview. Nothing is saved here; the rule's text is stored when the user saves the rule. A
// control whose identifier or item matches nothing does nothing. Main thread only.
class FixedPhraseEditorActions {
public:
    struct Services {
        // The rule's body editor on screen, if any.
        std::function<TessarilTextView*(const std::string& ruleID)> textView;
        std::function<void(const std::string& ruleID)> updatePreview;
        // The stored rule's preview mode among the rules shown; none when the rule is not there.
        std::function<std::optional<FixedPhrasePreviewMode>(const std::string& ruleID)> previewMode;
        appkit::AlertPresenter* alerts = nullptr;
        FixedPhraseLinkPrompt* linkPrompt = nullptr;
        appkit::ColorPanelPresenter* colorPanel = nullptr;
        FixedPhraseFontFamilyAvailability fontFamilyIsAvailable;
    };

    explicit FixedPhraseEditorActions(Services services) : services_(std::move(services)) {}

    // Style buttons: the identifier is the rule id, "|" and the style key.
    void applyFixedPhraseRichStyle(std::string_view identifier);
    // Popups: the identifier is the rule id; the chosen item's represented object is the value.
    void updateFixedPhraseFontSize(std::string_view identifier, const std::optional<std::string>& representedObject);
    void updateFixedPhraseFontFamily(std::string_view identifier, const std::optional<std::string>& representedObject);
    void updateFixedPhraseParagraphStyle(std::string_view identifier,
                                         const std::optional<std::string>& representedObject);
    void updateFixedPhrasePlainMarkupStyle(std::string_view identifier,
                                           const std::optional<std::string>& representedObject);
    // Colour wells: the identifier is the rule id, "|" and "foreground" or "background".
    void updateFixedPhraseColorWell(std::string_view identifier, const platform::Color& color);
    // The colour panel the wells open; none when cancelled or when there is no panel.
    std::optional<platform::Color> runColorPanel(const platform::Color& initial);

    // Gives the editor's context menu the rule's commands: the style buttons' and the paragraph menu
    // of a rich editor, the markup menu of a plain one.
    void addContextMenuCommands(TessarilTextView& view, const std::string& ruleID);

private:
    // Runs a command on the editor's state and shows the result; answers false without an editor.
    bool edit(const std::string& ruleID, const std::function<void(FixedPhraseTextViewState&)>& command);
    void fillContextMenu(QMenu& menu, const std::string& ruleID, bool isRichText);

    Services services_;
};

} // namespace tessaril
