#include "TessarilApp/SettingsWindow/PresetTab.hpp"

#include <QPointer>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/AppKit/TextField.hpp"
#include "TessarilApp/SettingsWindow/CommandKeySwitchRows.hpp"
#include "TessarilApp/SettingsWindow/DelegateAction.hpp"
#include "TessarilApp/SettingsWindow/PresetActions.hpp"
#include "TessarilApp/SettingsWindow/PresetEditReference.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/TessarilButton.hpp"
#include "TessarilApp/SettingsWindow/TessarilView.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {

namespace {

using appkit::StackView;
using appkit::TextAlignment;

// The name editor's row of each built-in preset.
struct BuiltInNameRow {
    KeyboardPreset preset;
    const char* label;
    const char* placeholder;
    QPointer<QLineEdit> AppDelegate::*field;
    const char* selector;
    void (PresetActions::*save)();
};
constexpr BuiltInNameRow builtInNameRows[] = {
    {KeyboardPreset::laptop, "P1", "P1 執筆", &AppDelegate::laptopPresetNameField, "saveLaptopPresetName",
     &PresetActions::saveLaptopPresetName},
    {KeyboardPreset::compactUS, "P2", "P2 英語", &AppDelegate::compactPresetNameField, "saveCompactPresetName",
     &PresetActions::saveCompactPresetName},
    {KeyboardPreset::fullSizeUS, "P3", "P3 コード", &AppDelegate::fullSizePresetNameField, "saveFullSizePresetName",
     &PresetActions::saveFullSizePresetName},
};

StackView* makeRow(int spacing) {
    auto* row = new StackView(StackView::Orientation::horizontal);
    row->setAlignment(StackView::Alignment::centerY);
    row->setSpacing(spacing);
    return row;
}

} // namespace

QWidget* PresetTab::makePresetTab() {
    auto* page = makePageStack("プリセット設定", "標準はデフォルトだけにし、必要な場合だけ自分用に保存します。");
    auto* panes = new StackView(StackView::Orientation::horizontal);
    panes->setAlignment(StackView::Alignment::top);
    panes->setSpacing(28);
    panes->addArrangedSubview(makePresetListPane());
    panes->addArrangedSubview(makePresetSummaryPane());
    page->addArrangedSubview(panes);
    return wrapInScrollView(page);
}

QWidget* PresetTab::makePresetListPane() {
    AppDelegate& delegate = delegate_;
    const KeyboardPresetReference editing = editPresetReference(delegate);
    auto* pane = makePanelStack(300);
    pane->addArrangedSubview(makeSectionTitle("編集する設定"));
    for (const KeyboardPreset preset : keyboard_preset::standardCases) {
        auto* button = makeListButton(delegate.settings.displayName(preset), "内蔵プリセット",
                                      editing == KeyboardPresetReference::builtIn(preset),
                                      delegateAction<PresetActions>(delegate, "selectBuiltInPresetFromButton:",
                                                                    &PresetActions::selectBuiltInPresetFromButton),
                                      264);
        button->setIdentifier(rawValue(preset));
        pane->addArrangedSubview(button);
    }
    auto customPresets = delegate.settings.customPresets;
    unicode::stableSortLocalized(customPresets, [](const CustomKeyboardPreset& preset) { return preset.name; });
    for (const auto& preset : customPresets) {
        auto* button = makeListButton(preset.name, "カスタムプリセット", editing == KeyboardPresetReference::custom(preset.id),
                                      delegateAction<PresetActions>(delegate, "selectCustomPresetFromButton:",
                                                                    &PresetActions::selectCustomPresetFromButton),
                                      264);
        button->setIdentifier(preset.id);
        pane->addArrangedSubview(button);
    }
    pane->addArrangedSubview(makeSpacer(28));

    const auto create = delegateAction<PresetActions>(delegate, "createCustomPreset", &PresetActions::createCustomPreset);
    auto* creation = makeRow(10);
    auto* name = makeTextField("", "カスタム名", 136);
    // Return in the name does what the button beside it does.
    name->setAction(create);
    delegate.customPresetNameField = name;
    creation->addArrangedSubview(name);
    creation->addArrangedSubview(makeSmallButton("新規作成", create, true, true));
    pane->addArrangedSubview(creation);
    if (editing.isCustom()) {
        pane->addArrangedSubview(makeSmallButton(
            "削除", delegateAction<PresetActions>(delegate, "deleteActiveCustomPreset", &PresetActions::deleteActiveCustomPreset),
            false, true));
    }
    return pane;
}

QWidget* PresetTab::makePresetSummaryPane() {
    AppDelegate& delegate = delegate_;
    const TessarilSettings& settings = delegate.settings;
    const KeyboardPresetReference editing = editPresetReference(delegate);
    auto* pane = makePanelStack(600);
    if (const auto preset = editing.builtInPreset()) {
        pane->addArrangedSubview(makeHeaderLine(settings.displayName(*preset), "内蔵"));
    } else {
        const CustomKeyboardPreset* custom = settings.customPreset(editing.customID());
        pane->addArrangedSubview(makeHeaderLine(custom ? custom->name : "Custom", "カスタム"));
    }
    pane->addArrangedSubview(makeSubtleLabel("中身を調整します。使うプリセットはメニューバーから切り替えます。", 12));
    pane->addArrangedSubview(makeTable({{"押すキー", 180, TextAlignment::left},
                                        {"切り替え先", 260, TextAlignment::left},
                                        {"状態", 100, TextAlignment::center}},
                                       makeCommandKeySwitchRows(delegate, settings.ruleEngineSettings(editing), "左⌘", "右⌘",
                                                                narrowSwitchCellWidth),
                                       46, 38));
    auto* actions = makeRow(10);
    actions->addArrangedSubview(makeSmallButton(
        "カスタムとして保存", delegateAction<PresetActions>(delegate, "createCustomPreset", &PresetActions::createCustomPreset),
        false, true));
    pane->addArrangedSubview(actions);
    return pane;
}

QWidget* PresetTab::makePresetEditSelector() {
    AppDelegate& delegate = delegate_;
    const TessarilSettings& settings = delegate.settings;
    const KeyboardPresetReference editing = editPresetReference(delegate);
    auto* selector = makeRow(12);
    selector->addArrangedSubview(makeLabel("編集するプリセット", 14, appkit::FontWeight::medium, settings_palette::primaryText()));

    auto* popup = new appkit::PopUpButton;
    configurePopup(*popup, TextAlignment::left);
    popup->setAction(delegateAction<PresetActions>(delegate, "selectPresetToEditFromPopup:",
                                                   &PresetActions::selectPresetToEditFromPopup));
    for (const KeyboardPreset preset : keyboard_preset::standardCases) {
        popup->addItem(settings.displayName(preset), presetEditMenuValue(KeyboardPresetReference::builtIn(preset)));
    }
    if (!settings.customPresets.empty()) popup->addSeparator();
    for (const auto& preset : settings.customPresets) {
        popup->addItem(preset.name, presetEditMenuValue(KeyboardPresetReference::custom(preset.id)));
    }
    popup->selectItem(popup->indexOfItemWithRepresentedObject(presetEditMenuValue(editing)));
    popup->setFixedWidth(210);
    selector->addArrangedSubview(popup);
    if (editing == settings.activePresetReference()) {
        selector->addArrangedSubview(makeStatusLabel("使用中", StatusTone::accent, 74));
    }
    return selector;
}

QWidget* PresetTab::makePresetNameEditor() {
    AppDelegate& delegate = delegate_;
    std::vector<std::vector<QWidget*>> rows;
    for (const auto& row : builtInNameRows) {
        const auto save = delegateAction<PresetActions>(delegate, row.selector, row.save);
        auto* field = makeTextField(delegate.settings.displayName(row.preset), row.placeholder, 460);
        // Return in the field saves the name, as the row's button does.
        field->setAction(save);
        delegate.*row.field = field;
        auto* button = makeSmallButton("保存", save, false, true);
        button->setFixedWidth(104);
        rows.push_back({makeCellLabel(row.label), field, button});
    }
    return makeTable({{"プリセット", 180, TextAlignment::left}, {"名前", 620, TextAlignment::left}, {"操作", 140, TextAlignment::center}},
                     rows, 42, 38);
}

} // namespace tessaril
