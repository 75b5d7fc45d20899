#include "TessarilApp/SettingsWindow/WritingAssistTab.hpp"

#include <QGridLayout>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/AppKit/TextField.hpp"
#include "TessarilApp/SetsAndRegistry/ApplicationTargetActions.hpp"
#include "TessarilApp/SettingsWindow/DelegateAction.hpp"
#include "TessarilApp/SettingsWindow/PresetScopeControls.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/SettingsTabPresentation.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/TessarilButton.hpp"
#include "TessarilApp/SettingsWindow/TessarilView.hpp"
#include "TessarilApp/SettingsWindow/WritingAssistActions.hpp"
#include "TessarilApp/SettingsWindow/WritingAssistShortcutCapture.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

namespace palette = settings_palette;
using appkit::FontWeight;
using appkit::StackView;
using Actions = WritingAssistActions;

constexpr int cardInset = 18;

const char* conditionTitle(WritingAssistInputModeCondition condition) {
    switch (condition) {
    case WritingAssistInputModeCondition::kanaOnly: return "かな入力中のみ";
    case WritingAssistInputModeCondition::eisuOnly: return "英数入力中のみ";
    case WritingAssistInputModeCondition::anytime: return "いつでも";
    }
    return "かな入力中のみ";
}

} // namespace

QWidget* WritingAssistTab::makeWritingAssistTab() {
    const auto& presentation = SettingsTabPresentation::of(SettingsTab::writingAssist);
    auto* page = makePageStack(std::string(*presentation.pageTitle), std::string(*presentation.pageSubtitle));
    page->addArrangedSubview(makeWritingAssistTargetBar());
    page->addArrangedSubview(makeWritingAssistRulesPane());
    return wrapInScrollView(page);
}

QWidget* WritingAssistTab::makeWritingAssistTargetBar() {
    return ApplicationTargetActions<WritingAssistTargetFamily>(delegate_).makeTargetBar();
}

QWidget* WritingAssistTab::makeWritingAssistRulesPane() {
    AppDelegate& delegate = delegate_;
    const ApplicationTargetState target = applicationTargetState<WritingAssistTargetFamily>(delegate);
    const bool isEditable = target.isEditable();
    const auto rules = writingAssistSettings(delegate.settings, target.bundleIdentifier).effectivePairAssistRules();
    auto* pane = makePanelStack(940);
    for (const auto& rule : rules) pane->addArrangedSubview(makePairAssistRuleRow(rule, isEditable, rules.size() > 1));
    if (isEditable) {
        auto* add = makeSmallButton("+ ルールを追加", delegateAction<Actions>(delegate, "addPairAssistRule", &Actions::addPairAssistRule),
                                    false, true);
        pane->addArrangedSubview(add);
        if (target.setName) {
            pane->addArrangedSubview(makeSubtleLabel(
                "この対象はセット「" + *target.setName + "」に所属しています。変更はセット本体に保存されます。", 12));
        }
    }
    return pane;
}

QWidget* WritingAssistTab::makePairAssistRuleRow(const PairAssistRule& rule, bool isEditable, bool canDelete) {
    AppDelegate& delegate = delegate_;
    auto* card = new TessarilView;
    card->setFixedSize(904, 208);
    card->setLayerStyle({palette::panelBackground(), palette::cardBorder(), 1});

    auto* content = new StackView(StackView::Orientation::vertical);
    content->setAlignment(StackView::Alignment::leading);
    content->setSpacing(10);
    content->addArrangedSubview(makePairAssistShortcutCaptureControl(rule.id, rule.trigger, isEditable));
    content->addArrangedSubview(makePairAssistInputModeConditionControl(rule.id, rule.inputModeCondition, isEditable));
    content->addArrangedSubview(makePairAssistTextControls(rule, isEditable, "“", "”"));
    content->addArrangedSubview(makePresetScopeControls(
        rule.activePresets, "pair:" + rule.id,
        delegateAction<Actions>(delegate, "togglePairAssistPresetScope:", &Actions::togglePairAssistPresetScope), isEditable));
    content->addArrangedSubview(makeFeatureDescriptionLabel("プレビュー: " + rule.openingText + "|" + rule.closingText));

    auto* layout = new QGridLayout(card);
    layout->setContentsMargins(cardInset, cardInset, cardInset, cardInset);
    layout->setHorizontalSpacing(cardInset);
    layout->addWidget(content, 0, 0, 2, 1, Qt::AlignLeft | Qt::AlignVCenter);
    layout->setColumnStretch(0, 1);
    layout->addWidget(makeWritingAssistSwitch(rule.isEnabled,
                                              delegateAction<Actions>(delegate, "updatePairAssistEnabled:",
                                                                      &Actions::updatePairAssistEnabled),
                                              isEditable, rule.id),
                      0, 1, Qt::AlignRight | Qt::AlignTop);
    if (isEditable) {
        auto* remove = makeSmallButton(
            "削除", delegateAction<Actions>(delegate, "deletePairAssistRule:", &Actions::deletePairAssistRule), false, canDelete);
        remove->setIdentifier(rule.id);
        remove->setFixedWidth(74);
        layout->addWidget(remove, 1, 1, Qt::AlignRight | Qt::AlignBottom);
    }
    return card;
}

QWidget* WritingAssistTab::makePairAssistShortcutCaptureControl(const std::string& ruleID,
                                                                const std::optional<Shortcut>& trigger, bool isEditable) {
    const bool isCapturing = delegate_.writingAssistShortcutCaptureTarget == ruleID;
    auto* stack = makeCenteredRow();
    auto* button = makeSmallButton(isCapturing ? "キーを押してください..." : shortcutTitle(trigger),
                                   delegateAction<WritingAssistShortcutCapture>(
                                       delegate_, "beginPairAssistShortcutCapture:",
                                       &WritingAssistShortcutCapture::beginPairAssistShortcutCapture),
                                   isCapturing, isEditable);
    button->setFixedWidth(262);
    button->setTitleAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    button->setIdentifier(ruleID);
    button->setToolTipText(isCapturing ? "設定したいショートカットを押してください。Escでキャンセルします。" : "クリックしてキーを記録");
    stack->addArrangedSubview(button);
    return stack;
}

appkit::PopUpButton* WritingAssistTab::makePairAssistInputModeConditionControl(const std::string& ruleID,
                                                                               WritingAssistInputModeCondition selected,
                                                                               bool isEditable) {
    auto* popup = new appkit::PopUpButton;
    configurePopup(*popup, appkit::TextAlignment::left);
    popup->setFixedWidth(180);
    for (const auto& [condition, raw] : EnumCases<WritingAssistInputModeCondition>::cases) {
        popup->addItem(conditionTitle(condition), std::string(raw));
    }
    popup->selectItem(popup->indexOfItem(conditionTitle(selected)));
    popup->setIdentifier(ruleID);
    popup->setAction(delegateAction<Actions>(delegate_, "updatePairAssistInputModeCondition:",
                                             &Actions::updatePairAssistInputModeCondition));
    popup->setEnabled(isEditable);
    return popup;
}

QWidget* WritingAssistTab::makePairAssistTextControls(const PairAssistRule& rule, bool isEditable,
                                                      const std::string& defaultOpeningText,
                                                      const std::string& defaultClosingText) {
    auto* stack = makeCenteredRow();
    const auto field = [&](const std::string& value, const std::string& placeholder,
                           std::map<std::string, QPointer<QLineEdit>>& registry, const char* side) {
        auto* textField = makeTextField(value, placeholder, 118);
        textField->setTextAlignment(Qt::AlignHCenter);
        textField->setRestorationKey(side + rule.id);
        textField->setEnabled(isEditable);
        registry[rule.id] = textField;
        return textField;
    };
    stack->addArrangedSubview(makeLabel("前", 12, FontWeight::regular, palette::secondaryText()));
    stack->addArrangedSubview(field(rule.openingText, defaultOpeningText, delegate_.pairAssistOpeningFields, "opening:"));
    stack->addArrangedSubview(makeLabel("後", 12, FontWeight::regular, palette::secondaryText()));
    stack->addArrangedSubview(field(rule.closingText, defaultClosingText, delegate_.pairAssistClosingFields, "closing:"));
    auto* save = makeSmallButton(
        "保存", delegateAction<Actions>(delegate_, "savePairAssistRuleText:", &Actions::savePairAssistRuleText), false, isEditable);
    save->setFixedWidth(58);
    save->setIdentifier(rule.id);
    stack->addArrangedSubview(save);
    return stack;
}

QWidget* WritingAssistTab::makeWritingAssistSwitch(bool isOn, appkit::Action action, bool isEnabled,
                                                   const std::optional<std::string>& identifier) {
    const SwitchCell cell = makeSwitchCell(isOn, std::move(action), isEnabled, 94, "括弧・引用補助");
    if (identifier) cell.toggle->setIdentifier(*identifier);
    return cell.view;
}

} // namespace tessaril
