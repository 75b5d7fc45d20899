#pragma once

#include <string>
#include <vector>

#include "TessarilCore/Rules/FixedPhraseRule.hpp"

class QWidget;

namespace tessaril {

namespace appkit {
class PopUpButton;
}

class AppDelegate;
class FixedPhraseEditorActions;
class TessarilTextView;

// The fixed-phrase page ("定型文アシスト"): the target bar and one panel per rule of the selected
// target (title, save, delete, switch, shortcut, insertion mode, presets, toolbar, body editor and
// preview). Built from the settings on every rebuild; a panel shows the rule's draft where one
// exists. Registers its title fields, editors and saved snapshots on the delegate by rule id. Keeps
// no state; main thread only.
class FixedPhraseTab {
public:
    explicit FixedPhraseTab(AppDelegate& delegate) : delegate_(delegate) {}

    // The whole page in its scroll view.
    QWidget* makeFixedPhraseTab();
    QWidget* makeFixedPhraseTargetBar();
    QWidget* makeFixedPhraseRulesPane();
    QWidget* makeFixedPhraseRulePanel(const FixedPhraseRule& rule, bool isEditable, bool canDelete,
                                      FixedPhraseEditorActions& actions);
    appkit::PopUpButton* makeFixedPhraseInsertionModePopup(const std::string& ruleID, FixedPhraseInsertionMode selected,
                                                           bool isEditable);
    QWidget* makeFixedPhraseEditorHeader(const std::string& ruleID, bool showsSource, int width);
    QWidget* makeFixedPhraseTextEditor(const FixedPhraseRule& rule, bool showsSource, bool isEditable, int width,
                                       FixedPhraseEditorActions& actions);
    // The view's font and typing attributes are the 14-point system font and nothing else.
    static void configureFixedPhraseTypingAttributes(TessarilTextView& view);

private:
    QWidget* makeRulePanels(const std::vector<FixedPhraseRule>& rules, bool isEditable, FixedPhraseEditorActions& actions);
    QWidget* makeTitleRow(const FixedPhraseRule& rule, bool isEditable, bool canDelete);
    QWidget* makeShortcutRow(const FixedPhraseRule& rule, bool isEditable);
    void fillTextEditor(TessarilTextView& view, const FixedPhraseRule& rule, bool showsSource);

    AppDelegate& delegate_;
};

} // namespace tessaril
