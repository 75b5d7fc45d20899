#include "TessarilApp/SettingsWindow/AdvancedTab.hpp"

#include <algorithm>
#include <string>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/NumberText.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/AppKit/TextField.hpp"
#include "TessarilApp/SettingsWindow/CommandKeyActions.hpp"
#include "TessarilApp/SettingsWindow/CommandKeyPopups.hpp"
#include "TessarilApp/SettingsWindow/CommandKeyTitles.hpp"
#include "TessarilApp/SettingsWindow/DelegateAction.hpp"
#include "TessarilApp/SettingsWindow/InputSourceActions.hpp"
#include "TessarilApp/SettingsWindow/PresetTab.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/TessarilView.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

using appkit::TextAlignment;
using Actions = CommandKeyActions;

constexpr int buttonWidth = 104;
constexpr int sectionGap = 20;

const std::vector<TableColumn> statusColumns{{"項目", 230, TextAlignment::left},
                                             {"状態", 220, TextAlignment::center},
                                             {"内容", 350, TextAlignment::left},
                                             {"操作", 140, TextAlignment::center}};

// The selectors of each mode's input-source pop-up and "現在を使用" button.
struct InputSourceSelectors {
    InputMode mode;
    const char* update;
    const char* saveCurrent;
};
constexpr InputSourceSelectors inputSourceSelectors[] = {
    {InputMode::eisu, "updateEisuInputSource:", "saveCurrentInputSourceForEisu"},
    {InputMode::kana, "updateKanaInputSource:", "saveCurrentInputSourceForKana"},
    {InputMode::fullWidthRoman, "updateFullWidthRomanInputSource:", "saveCurrentInputSourceForFullWidthRoman"},
    {InputMode::katakana, "updateKatakanaInputSource:", "saveCurrentInputSourceForKatakana"},
    {InputMode::halfWidthKatakana, "updateHalfWidthKatakanaInputSource:", "saveCurrentInputSourceForHalfWidthKatakana"},
};
// Eisu and kana are switched with the mode keys, so only these modes have a row.
constexpr InputMode inputSourceTableModes[] = {InputMode::fullWidthRoman, InputMode::katakana, InputMode::halfWidthKatakana};

const InputSourceSelectors& selectorsOf(InputMode mode) {
    return *std::find_if(std::begin(inputSourceSelectors), std::end(inputSourceSelectors),
                         [mode](const InputSourceSelectors& selectors) { return selectors.mode == mode; });
}

appkit::Button* makeFixedButton(const std::string& title, appkit::Action action) {
    auto* button = makeSmallButton(title, std::move(action), false, true);
    button->setFixedWidth(buttonWidth);
    return button;
}

} // namespace

QWidget* AdvancedTab::makeAdvancedTab() {
    auto* page = makePageStack("アドバンス", "入力タイミング、権限、設定ファイルなど、普段は触らない項目をまとめます。");
    page->addArrangedSubview(PresetTab(delegate_).makePresetNameEditor());
    page->addArrangedSubview(makeSpacer(sectionGap));
    page->addArrangedSubview(makeCommandKeyTable());
    page->addArrangedSubview(makeSpacer(sectionGap));
    page->addArrangedSubview(makeSectionTitle("入力ソース"));
    page->addArrangedSubview(makeInputSourceTable());
    page->addArrangedSubview(makeSpacer(sectionGap));
    page->addArrangedSubview(makeStatusTable());
    page->addArrangedSubview(makeSpacer(sectionGap));
    page->addArrangedSubview(makeSectionTitle("設定ファイルと初期化"));
    page->addArrangedSubview(makeSettingsFileTable());
    page->addArrangedSubview(makeSubtleLabel("速度は 0.00 秒で即時。迷ったら 0.00 秒のままにしてください。", 12));
    page->addArrangedSubview(makeSubtleLabel("誤爆防止の判定時間は誤爆防止タブの各ルールで設定します。", 12));
    return wrapInScrollView(page);
}

appkit::TextField* AdvancedTab::makeSecondsField(std::int64_t milliseconds, QPointer<QLineEdit>& reference,
                                                 appkit::Action returnAction) {
    // "%.2f" of the seconds, with "." whatever the process locale.
    auto* field = makeTextField(appkit::formatFixed(static_cast<double>(milliseconds) / 1000.0, 2), "0.00", 88);
    field->setTextAlignment(Qt::AlignHCenter);
    field->setAction(std::move(returnAction));
    reference = field;
    return field;
}

QWidget* AdvancedTab::makeCommandKeyTable() {
    AppDelegate& delegate = delegate_;
    const RuleEngineSettings& settings = delegate.settings.activeRuleEngineSettings();
    const auto act = [&delegate](const char* selector, auto method) { return delegateAction<Actions>(delegate, selector, method); };
    // Each row's field and "保存" save the same delay.
    const auto row = [&](QWidget* key, std::int64_t milliseconds, QPointer<QLineEdit>& field, QWidget* behaviour,
                         const char* saveSelector, void (Actions::*save)()) {
        return std::vector<QWidget*>{key, makeSecondsField(milliseconds, field, act(saveSelector, save)), behaviour,
                                     makeFixedButton("保存", act(saveSelector, save))};
    };
    // The companion modifier beside the modified action.
    const auto modifiedBehaviour = [](QWidget* modifierPopup, QWidget* actionPopup) {
        auto* stack = new appkit::StackView(appkit::StackView::Orientation::horizontal);
        stack->setAlignment(appkit::StackView::Alignment::centerY);
        stack->setSpacing(8);
        stack->addArrangedSubview(modifierPopup);
        stack->addArrangedSubview(actionPopup);
        return stack;
    };
    constexpr auto left = CommandKeySide::left;
    constexpr auto right = CommandKeySide::right;

    std::vector<std::vector<QWidget*>> rows;
    rows.push_back(row(makeCellLabel("左⌘ 単独"), settings.leftCommandDelayMilliseconds, delegate.leftCommandSecondsField,
                       makeCommandActionPopup(left, settings.leftCommandAction,
                                              act("updateLeftCommandAction:", &Actions::updateLeftCommandAction)),
                       "updateLeftCommandSeconds", &Actions::updateLeftCommandSeconds));
    rows.push_back(row(makeCellLabel("右⌘ 単独"), settings.rightCommandDelayMilliseconds, delegate.rightCommandSecondsField,
                       makeCommandActionPopup(right, settings.rightCommandAction,
                                              act("updateRightCommandAction:", &Actions::updateRightCommandAction)),
                       "updateRightCommandSeconds", &Actions::updateRightCommandSeconds));
    rows.push_back(row(makeCellLabel(commandComboTitle(settings.leftCommandCompanionModifier, left)),
                       settings.leftModifiedCommandDelayMilliseconds, delegate.leftModifiedCommandSecondsField,
                       modifiedBehaviour(makeModifierPopup(settings.leftCommandCompanionModifier,
                                                           act("updateLeftCommandCompanionModifier:",
                                                               &Actions::updateLeftCommandCompanionModifier),
                                                           118),
                                         makeModifiedCommandActionPopup(left, settings.leftModifiedCommandAction,
                                                                        act("updateLeftModifiedCommandAction:",
                                                                            &Actions::updateLeftModifiedCommandAction))),
                       "updateLeftModifiedCommandSeconds", &Actions::updateLeftModifiedCommandSeconds));
    rows.push_back(row(makeCellLabel(commandComboTitle(settings.rightCommandCompanionModifier, right)),
                       settings.rightModifiedCommandDelayMilliseconds, delegate.rightModifiedCommandSecondsField,
                       modifiedBehaviour(makeModifierPopup(settings.rightCommandCompanionModifier,
                                                           act("updateRightCommandCompanionModifier:",
                                                               &Actions::updateRightCommandCompanionModifier),
                                                           118),
                                         makeModifiedCommandActionPopup(right, settings.rightModifiedCommandAction,
                                                                        act("updateRightModifiedCommandAction:",
                                                                            &Actions::updateRightModifiedCommandAction))),
                       "updateRightModifiedCommandSeconds", &Actions::updateRightModifiedCommandSeconds));
    // The note is wider than its column; the row is tall enough for it on two lines.
    auto* graceNote = makeCellLabel("Shift を離した直後に ⌘ を押したとき、同時押しと誤認されるのを防ぎます");
    graceNote->setMaximumNumberOfLines(2);
    rows.push_back(row(makeCellLabel("修飾キー押し残し"), settings.modifierGraceWindowMilliseconds,
                       delegate.modifierGraceWindowSecondsField, graceNote, "updateModifierGraceWindowSeconds",
                       &Actions::updateModifierGraceWindowSeconds));
    return makeTable({{"押すキー", 230, TextAlignment::left},
                      {"待ち時間", 120, TextAlignment::center},
                      {"動作", 450, TextAlignment::left},
                      {"操作", 140, TextAlignment::center}},
                     rows, 46, 38);
}

QWidget* AdvancedTab::makeInputSourceTable() {
    const auto sources = InputSourceActions::sortedInputSources(delegate_.inputModeDispatcher());
    std::vector<std::vector<QWidget*>> rows;
    for (const InputMode mode : inputSourceTableModes) rows.push_back(inputSourceTableRow(mode, sources));
    return makeTable({{"入力モード", 180, TextAlignment::center},
                      {"使用する入力ソース", 460, TextAlignment::left},
                      {"状態", 160, TextAlignment::center},
                      {"操作", 140, TextAlignment::center}},
                     rows, 42, 38);
}

std::vector<QWidget*> AdvancedTab::inputSourceTableRow(InputMode mode,
                                                       const std::vector<MacInputSourceSelection>& inputSources) {
    const auto saved = delegate_.inputModeDispatcher().configuredInputSource(mode);
    AppDelegate& delegate = delegate_;
    auto* useCurrent = makeFixedButton("現在を使用", appkit::Action{selectorsOf(mode).saveCurrent, [&delegate, mode](appkit::Control&) {
                                                                  InputSourceActions(delegate).saveCurrentInputSource(mode);
                                                              }});
    return {makeCellLabel(inputModeDisplayName(mode)), makeInputSourcePopup(mode, inputSources, saved),
            makeCellLabel(saved ? "指定済み" : "自動検出"), useCurrent};
}

appkit::PopUpButton* AdvancedTab::makeInputSourcePopup(InputMode mode,
                                                       const std::vector<MacInputSourceSelection>& inputSources,
                                                       const std::optional<MacInputSourceSelection>& selected) {
    AppDelegate& delegate = delegate_;
    auto* popup = new appkit::PopUpButton;
    configurePopup(*popup, TextAlignment::left);
    popup->setAction(appkit::Action{selectorsOf(mode).update, [&delegate, mode](appkit::Control& sender) {
                                        InputSourceActions(delegate).updateInputSource(mode, sender);
                                    }});
    popup->addItem("自動検出", std::string(InputSourceActions::automaticValue));
    if (!inputSources.empty()) popup->addSeparator();
    for (const auto& source : inputSources) popup->addItem(source.menuTitle(), InputSourceActions::inputSourceKey(source));
    popup->selectItem(0);
    if (selected) {
        const std::string key = InputSourceActions::inputSourceKey(*selected);
        const bool listed = std::any_of(inputSources.begin(), inputSources.end(), [&](const MacInputSourceSelection& source) {
            return InputSourceActions::inputSourceKey(source) == key;
        });
        if (!listed) popup->addItem(selected->menuTitle() + "（未検出）", key);
        if (const int index = popup->indexOfItemWithRepresentedObject(key); index >= 0) popup->selectItem(index);
    }
    popup->setFixedWidth(410);
    popup->setToolTipText(inputModeDisplayName(mode) + "に使う入力ソース");
    return popup;
}

QWidget* AdvancedTab::makeStatusTable() {
    const bool trusted = delegate_.eventTapBackend().isAccessibilityTrusted(false);
    const bool keyboardReady = delegate_.kanaModeKeyboardReady;
    const bool tapRunning = delegate_.activeInputBackend == ActiveKeyboardInputBackend::eventTap;
    const auto badge = [](bool good, const char* goodText, const char* badText) {
        return makeStatusLabel(good ? goodText : badText, good ? StatusTone::neutral : StatusTone::accent, 120);
    };
    std::vector<std::vector<QWidget*>> rows{
        {makeCellLabel("アクセシビリティ"), badge(trusted, "許可済み", "確認が必要"), makeCellLabel("キーボード入力の監視"),
         makeFixedButton("設定を開く", appkit::Action{"openAccessibilitySettings", [&delegate = delegate_](appkit::Control&) {
                                                        delegate.openAccessibilitySettings();
                                                    }})},
        {makeCellLabel("英数/かなキー"), badge(keyboardReady, "動作中", "利用できません"),
         makeCellLabel("専用の仮想キーボードから英数/かなキーを送信"), nullptr},
        {makeCellLabel("入力の検知"), badge(tapRunning, "動作中", "停止中"), makeCellLabel("マウスイベントは監視しません"), nullptr},
    };
    return makeTable(statusColumns, rows, 40, 34);
}

QWidget* AdvancedTab::makeSettingsFileTable() {
    AppDelegate& delegate = delegate_;
    const auto button = [&delegate](const char* title, const char* selector, void (AppDelegate::*method)()) {
        return makeFixedButton(title, appkit::Action{selector, [&delegate, method](appkit::Control&) { (delegate.*method)(); }});
    };
    const auto note = [](const char* text) { return makeStatusLabel(text, StatusTone::neutral, 120); };
    std::vector<std::vector<QWidget*>> rows{
        {makeCellLabel("書き出し"), note("現在の設定"), makeCellLabel("プリセットと誤爆防止"),
         button("書き出し", "exportSettings", &AppDelegate::exportSettings)},
        {makeCellLabel("読み込み"), note("手動確認あり"), makeCellLabel("失敗時は保存しない"),
         button("読み込み", "importSettings", &AppDelegate::importSettings)},
        {makeCellLabel("オールリセット"), nullptr, makeCellLabel("設定を書き出してから実行してください"),
         button("初期化", "resetAllSettingsToFactoryDefaults", &AppDelegate::resetAllSettingsToFactoryDefaults)},
    };
    return makeTable(statusColumns, rows, 40, 34);
}

} // namespace tessaril
