#include "TessarilApp/SettingsWindow/ShortcutGuardTab.hpp"

#include <map>
#include <string>

#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/NumberText.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/AppKit/TextField.hpp"
#include "TessarilApp/SetsAndRegistry/ApplicationTargetActions.hpp"
#include "TessarilApp/SettingsWindow/DelegateAction.hpp"
#include "TessarilApp/SettingsWindow/PresetScopeControls.hpp"
#include "TessarilApp/SettingsWindow/SettingsTabPresentation.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/ShortcutGuardActions.hpp"
#include "TessarilApp/SettingsWindow/TessarilButton.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

using appkit::StackView;
using appkit::TextAlignment;
using Actions = ShortcutGuardActions;

const std::vector<TableColumn> ruleColumns{{"⌘+キー", 110, TextAlignment::center},
                                           {"必要回数", 100, TextAlignment::center},
                                           {"間隔", 150, TextAlignment::center},
                                           {"秒数", 170, TextAlignment::center},
                                           {"使うプリセット", 274, TextAlignment::center},
                                           {"状態", 100, TextAlignment::center}};

const char* timingTitle(ShortcutGuardTimingPreset preset) {
    switch (preset) {
    case ShortcutGuardTimingPreset::fast: return "速い";
    case ShortcutGuardTimingPreset::standard: return "標準";
    case ShortcutGuardTimingPreset::slow: return "遅い";
    case ShortcutGuardTimingPreset::custom: return "カスタム";
    }
    return "標準";
}

std::string upperCased(std::string text) {
    for (char& character : text) {
        if (character >= 'a' && character <= 'z') character = static_cast<char>(character - 'a' + 'A');
    }
    return text;
}

} // namespace

QWidget* ShortcutGuardTab::makeShortcutGuardTab() {
    const auto& presentation = SettingsTabPresentation::of(SettingsTab::shortcutGuard);
    auto* page = makePageStack(std::string(*presentation.pageTitle), std::string(*presentation.pageSubtitle));
    page->addArrangedSubview(makeShortcutTargetBar());
    page->addArrangedSubview(makeShortcutRulesPane());
    return wrapInScrollView(page);
}

QWidget* ShortcutGuardTab::makeShortcutTargetBar() {
    return ApplicationTargetActions<ShortcutGuardTargetFamily>(delegate_).makeTargetBar();
}

std::vector<ShortcutGuardRule> ShortcutGuardTab::shortcutGuardRulesForSelectedTarget() const {
    const auto& app = delegate_.selectedShortcutAppBundleIdentifier;
    const DoublePressGuardSettings guard = shortcutGuardSettings(delegate_.settings, app);
    if (!app || featureSetNameContainingApp(delegate_.settings, SettingsTab::shortcutGuard, *app)) {
        return sortedByCommandLetter(guard.rules);
    }
    std::map<std::string, ShortcutGuardRule> byLetter;
    for (const auto& rule : guard.rules) byLetter.emplace(rule.letter, rule);
    for (const auto& rule : delegate_.settings.globalShortcutGuard.rules) byLetter.emplace(rule.letter, rule);
    std::vector<ShortcutGuardRule> rules;
    for (auto& [letter, rule] : byLetter) rules.push_back(std::move(rule));
    return sortedByCommandLetter(std::move(rules));
}

QWidget* ShortcutGuardTab::makeShortcutRulesPane() {
    AppDelegate& delegate = delegate_;
    const ApplicationTargetState target = applicationTargetState<ShortcutGuardTargetFamily>(delegate);
    const bool isEditable = target.isEditable();
    auto* pane = makePanelStack(940);

    pane->addArrangedSubview(makeHeaderLine("誤爆防止: " + target.displayName().value_or("デフォルト"), target.tag()));
    const std::string detail = target.setName ? "セット「" + *target.setName + "」の誤爆防止設定を編集します。"
                               : isEditable   ? "この対象で危ないショートカットを二度押しにします。"
                                              : "デフォルト設定に準拠しています。";
    pane->addArrangedSubview(makeFeatureToggleRow(
        "誤爆防止", detail, shortcutGuardSettings(delegate.settings, target.bundleIdentifier).isEnabled,
        delegateAction<Actions>(delegate, "toggleShortcutGuardEnabled:", &Actions::toggleShortcutGuardEnabled),
        isEditable, "誤爆防止"));
    pane->addArrangedSubview(makeSubtleLabel("⌘と組み合わせるキーを追加してください。行はアルファベット順に自動で並びます。", 12));

    std::vector<std::vector<QWidget*>> rows;
    for (const auto& rule : shortcutGuardRulesForSelectedTarget()) rows.push_back(makeShortcutRuleCells(rule, isEditable));
    if (rows.empty()) rows.push_back({makeCellLabel("未設定"), nullptr, nullptr, nullptr, nullptr, makeCellLabel("OFF")});
    pane->addArrangedSubview(makeTable(ruleColumns, rows, 44, 34));

    if (isEditable) {
        pane->addArrangedSubview(makeSpacer(6));
        auto* addRow = new StackView(StackView::Orientation::horizontal);
        addRow->setAlignment(StackView::Alignment::centerY);
        addRow->setSpacing(8);
        auto* field = makeTextField("", "A-Z", 72);
        field->setTextAlignment(Qt::AlignHCenter);
        delegate.newShortcutLetterField = field;
        addRow->addArrangedSubview(field);
        addRow->addArrangedSubview(makeSmallButton(
            "+ キーを追加", delegateAction<Actions>(delegate, "addShortcutRule", &Actions::addShortcutRule), false, true));
        addRow->addArrangedSubview(appkit::View::makeFlexibleSpace());
        pane->addArrangedSubview(addRow);
    }
    return pane;
}

std::vector<QWidget*> ShortcutGuardTab::makeShortcutRuleCells(const ShortcutGuardRule& rule, bool isEditable) {
    AppDelegate& delegate = delegate_;
    const auto action = [&delegate](const char* selector, void (Actions::*method)(appkit::Control&)) {
        return delegateAction<Actions>(delegate, selector, method);
    };

    auto* letter = makeTextField(upperCased(rule.letter), "Q", 72);
    letter->setTextAlignment(Qt::AlignHCenter);
    letter->setAction(action("updateShortcutRuleLetter:", &Actions::updateShortcutRuleLetter));

    auto* pressCount = new appkit::PopUpButton;
    configurePopup(*pressCount, TextAlignment::center);
    pressCount->setFixedWidth(72);
    for (const char* count : {"2", "3", "4"}) pressCount->addItem(count, std::string(count));
    pressCount->selectItem(pressCount->indexOfItem(std::to_string(rule.pressCount)));
    pressCount->setAction(action("updateShortcutRulePressCount:", &Actions::updateShortcutRulePressCount));

    auto* timing = new appkit::PopUpButton;
    configurePopup(*timing, TextAlignment::left);
    timing->setFixedWidth(120);
    for (const auto& [preset, raw] : EnumCases<ShortcutGuardTimingPreset>::cases) timing->addItem(timingTitle(preset), std::string(raw));
    timing->selectItem(timing->indexOfItem(timingTitle(rule.timingPreset)));
    timing->setAction(action("updateShortcutRuleTiming:", &Actions::updateShortcutRuleTiming));

    const bool isCustom = rule.timingPreset == ShortcutGuardTimingPreset::custom;
    auto* seconds = makeTextField(appkit::formatFixed(static_cast<double>(rule.timeoutMilliseconds()) / 1000.0, 2), "0.70", 88);
    seconds->setTextAlignment(Qt::AlignHCenter);
    seconds->setAction(action("updateShortcutRuleCustomSeconds:", &Actions::updateShortcutRuleCustomSeconds));

    auto state = makeSwitchCell(rule.isEnabled, action("toggleShortcutRuleEnabled:", &Actions::toggleShortcutRuleEnabled),
                                isEditable, 76, "状態");

    for (appkit::Control* control : std::initializer_list<appkit::Control*>{letter, pressCount, timing, seconds, state.toggle}) {
        control->setIdentifier(rule.letter);
        control->widget().setEnabled(isEditable);
    }
    seconds->setEnabled(isEditable && isCustom);

    return {letter, pressCount, timing, seconds,
            makePresetScopeControls(rule.activePresets, "shortcut:" + rule.letter,
                                    action("toggleShortcutGuardPresetScope:", &Actions::toggleShortcutGuardPresetScope),
                                    isEditable),
            state.view};
}

} // namespace tessaril
