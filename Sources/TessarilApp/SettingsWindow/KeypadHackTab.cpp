#include "TessarilApp/SettingsWindow/KeypadHackTab.hpp"

#include <string_view>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/AppKit/TextField.hpp"
#include "TessarilApp/SetsAndRegistry/ApplicationTargetActions.hpp"
#include "TessarilApp/SettingsWindow/CommandKeyPopups.hpp"
#include "TessarilApp/SettingsWindow/DelegateAction.hpp"
#include "TessarilApp/SettingsWindow/KeypadHackActions.hpp"
#include "TessarilApp/SettingsWindow/PresetScopeControls.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/TessarilButton.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

using appkit::StackView;
using appkit::TextAlignment;

// What the page fixes for each key.
struct KeyPresentation {
    KeypadShortcutHackKey key;
    const char* label;
    const char* toggle;
    const char* modifier;
    const char* output;
};
constexpr KeyPresentation keyPresentations[] = {
    {KeypadShortcutHackKey::period, "テンキー.", "toggleKeypadPeriodHack", "updateKeypadPeriodHackModifier:", "updateKeypadPeriodHackOutput"},
    {KeypadShortcutHackKey::slash, "テンキー/", "toggleKeypadSlashHack", "updateKeypadSlashHackModifier:", "updateKeypadSlashHackOutput"},
    {KeypadShortcutHackKey::asterisk, "テンキー*", "toggleKeypadAsteriskHack", "updateKeypadAsteriskHackModifier:", "updateKeypadAsteriskHackOutput"},
    {KeypadShortcutHackKey::hyphen, "テンキー-", "toggleKeypadHyphenHack", "updateKeypadHyphenHackModifier:", "updateKeypadHyphenHackOutput"},
    {KeypadShortcutHackKey::plus, "テンキー+", "toggleKeypadPlusHack", "updateKeypadPlusHackModifier:", "updateKeypadPlusHackOutput"},
};

const KeyPresentation& presentationOf(KeypadShortcutHackKey key) { return keyPresentations[caseIndex(key)]; }

const std::vector<TableColumn> keyColumns{{"対象キー", 130, TextAlignment::center},
                                          {"ショートカット", 220, TextAlignment::center},
                                          {"入力する文字", 220, TextAlignment::center},
                                          {"使うプリセット", 270, TextAlignment::center},
                                          {"状態", 100, TextAlignment::center}};
const std::vector<TableColumn> equalColumns{{"使うキー", 170, TextAlignment::center},
                                            {"動作", 670, TextAlignment::left},
                                            {"状態", 100, TextAlignment::center}};

} // namespace

QWidget* KeypadHackTab::makeKeypadHackTargetBar() {
    return ApplicationTargetActions<KeypadHackTargetFamily>(delegate_).makeTargetBar();
}

QWidget* KeypadHackTab::makeKeypadHackTab() {
    AppDelegate& delegate = delegate_;
    const ApplicationTargetState target = applicationTargetState<KeypadHackTargetFamily>(delegate);
    const bool isEditable = target.isEditable();
    const KeypadShortcutHackSettings hacks =
        keypadShortcutHackSettings(delegate.settings, delegate.selectedKeypadHackAppBundleIdentifier);

    auto* page = makePageStack("テンキーハック",
                               "テンキーの余っている組み合わせを、文字入力用に使います。デフォルトとアプリ別に切り替えます。");
    page->addArrangedSubview(makeKeypadHackTargetBar());

    std::vector<std::vector<QWidget*>> rows;
    for (KeypadShortcutHackKey key : allCases<KeypadShortcutHackKey>()) {
        rows.push_back(makeKeypadHackSettingCells(key, hacks[key], isEditable));
    }
    page->addArrangedSubview(makeTable(keyColumns, rows, 48, 38));
    page->addArrangedSubview(makeSpacer(14));

    const appkit::Action equalAction{"toggleKeypadEqualCombo",
                                     [&delegate](appkit::Control&) { KeypadHackActions(delegate).toggleKeypadEqualCombo(); }};
    page->addArrangedSubview(makeTable(
        equalColumns,
        {{makeCellLabel("テンキー="), makeCellLabel("テンキー= + 有効キーで即時入力。=単体は通常どおり入力します。"),
          makeSwitchCell(hacks.usesKeypadEqualCombo, equalAction, isEditable, 84, "状態").view}},
        44, 38));

    if (target.setName) {
        page->addArrangedSubview(makeSubtleLabel(
            "この対象はセット「" + *target.setName + "」に所属しています。変更はセット本体に保存されます。", 12));
    } else if (!isEditable) {
        page->addArrangedSubview(makeSubtleLabel(
            "この対象はデフォルト設定を使っています。個別に変える場合は「デフォルト準拠」をOFFにしてください。", 12));
    }
    return wrapInScrollView(page);
}

std::vector<QWidget*> KeypadHackTab::makeKeypadHackSettingCells(KeypadShortcutHackKey key,
                                                                const KeypadShortcutHackRule& rule, bool isEditable) {
    AppDelegate& delegate = delegate_;
    const KeyPresentation& presentation = presentationOf(key);

    auto* shortcut = makeCenteredRow();
    auto* modifier = makeModifierPopup(rule.modifier,
                                       {presentation.modifier,
                                        [&delegate, key](appkit::Control& sender) {
                                            KeypadHackActions(delegate).updateKeypadHackModifier(key, sender);
                                        }},
                                       118);
    modifier->setEnabled(isEditable);
    shortcut->addArrangedSubview(modifier);
    shortcut->addArrangedSubview(makeCellLabel(std::string("+ ") + presentation.label));

    const appkit::Action toggle{presentation.toggle,
                                [&delegate, key](appkit::Control&) { KeypadHackActions(delegate).toggleKeypadHack(key); }};
    return {makeCellLabel(presentation.label), shortcut, makeKeypadHackOutputControls(key, rule.outputText, isEditable),
            makePresetScopeControls(rule.activePresets, "keypad:" + std::string(rawValue(key)),
                                    delegateAction<KeypadHackActions>(delegate, "toggleKeypadHackPresetScope:",
                                                                      &KeypadHackActions::toggleKeypadHackPresetScope),
                                    isEditable),
            makeSwitchCell(rule.isEnabled, toggle, isEditable, 76, "状態").view};
}

QWidget* KeypadHackTab::makeKeypadHackOutputControls(KeypadShortcutHackKey key, const std::string& outputText,
                                                     bool isEditable) {
    AppDelegate& delegate = delegate_;
    const KeyPresentation& presentation = presentationOf(key);
    auto* stack = makeCenteredRow();
    auto* field = makeTextField(KeypadShortcutHackRule::normalizedOutputText(outputText),
                                std::string(defaultOutputText(key)), 92);
    field->setTextAlignment(Qt::AlignHCenter);
    field->setEnabled(isEditable);
    field->setRestorationKey(std::string(rawValue(key)));
    KeypadHackActions::outputField(delegate, key) = field;
    stack->addArrangedSubview(field);
    auto* save = makeSmallButton(
        "保存",
        appkit::Action{presentation.output,
                       [&delegate, key](appkit::Control&) { KeypadHackActions(delegate).updateKeypadHackOutput(key); }},
        false, isEditable);
    save->setFixedWidth(58);
    stack->addArrangedSubview(save);
    return stack;
}

} // namespace tessaril
