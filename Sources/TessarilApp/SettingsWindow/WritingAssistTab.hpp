#pragma once

#include <optional>
#include <string>

#include "TessarilApp/AppKit/Action.hpp"
#include "TessarilCore/Rules/PairAssistRule.hpp"

class QWidget;

namespace tessaril {

namespace appkit {
class PopUpButton;
}

class AppDelegate;

// The writing-assist page ("括弧・引用補助"): the target bar and one card per pair rule (trigger
// capture, input mode, texts, presets, preview, switch, delete), with the add button. Built from the
// selected target's rules on every rebuild; read-only for an application that follows the default or
// has neither entry nor set. The text fields are registered on the delegate by rule identifier. Keeps
// no state; main thread only.
class WritingAssistTab {
public:
    explicit WritingAssistTab(AppDelegate& delegate) : delegate_(delegate) {}

    QWidget* makeWritingAssistTab();
    QWidget* makeWritingAssistTargetBar();
    QWidget* makeWritingAssistRulesPane();
    QWidget* makePairAssistRuleRow(const PairAssistRule& rule, bool isEditable, bool canDelete);
    QWidget* makePairAssistShortcutCaptureControl(const std::string& ruleID, const std::optional<Shortcut>& trigger,
                                                  bool isEditable);
    appkit::PopUpButton* makePairAssistInputModeConditionControl(const std::string& ruleID,
                                                                 WritingAssistInputModeCondition selected, bool isEditable);
    QWidget* makePairAssistTextControls(const PairAssistRule& rule, bool isEditable, const std::string& defaultOpeningText,
                                        const std::string& defaultClosingText);
    QWidget* makeWritingAssistSwitch(bool isOn, appkit::Action action, bool isEnabled,
                                     const std::optional<std::string>& identifier);

private:
    AppDelegate& delegate_;
};

} // namespace tessaril
