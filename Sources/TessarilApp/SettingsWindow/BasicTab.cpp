#include "TessarilApp/SettingsWindow/BasicTab.hpp"

#include <string>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/SettingsWindow/CommandKeySwitchRows.hpp"
#include "TessarilApp/SettingsWindow/DelegateAction.hpp"
#include "TessarilApp/SettingsWindow/PresetEditReference.hpp"
#include "TessarilApp/SettingsWindow/PresetTab.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/TessarilButton.hpp"
#include "TessarilApp/SettingsWindow/TextToolActions.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

using appkit::TextAlignment;

constexpr int switchCellWidth = 84;
constexpr int sectionGap = 14;

struct TextToolText {
    const char* title;
    const char* description;
};

TextToolText textOf(TextToolAction action) {
    switch (action) {
    case TextToolAction::plainCopy: return {"プレーンコピー", "装飾を落としてコピーします"};
    case TextToolAction::plainPaste: return {"プレーン貼り付け", "装飾を落として貼り付けます"};
    case TextToolAction::characterCount: return {"文字数チェック", "選択中の文字数をHUDで確認します"};
    }
    return {"", ""};
}

const char* positionTitle(CharacterCountHUDPosition position) {
    return position == CharacterCountHUDPosition::pointer ? "ポインター近く" : "固定位置";
}

} // namespace

QWidget* BasicTab::makeBasicTab() {
    const TessarilSettings& settings = delegate_.settings;
    auto* page = makePageStack("基本", "入力モード切り替えと作業プリセットをまとめます。");
    page->addArrangedSubview(PresetTab(delegate_).makePresetEditSelector());
    page->addArrangedSubview(delegate_.makeLoginItemPanel());
    page->addArrangedSubview(makeSectionTitle("キー動作"));
    page->addArrangedSubview(makeTable({{"押すキー", 150, TextAlignment::left},
                                        {"切り替え先", 450, TextAlignment::left},
                                        {"状態", 100, TextAlignment::center}},
                                       makeCommandKeySwitchRows(delegate_, settings.ruleEngineSettings(editPresetReference(delegate_)),
                                                                "左⌘ 単独", "右⌘ 単独", switchCellWidth),
                                       46, 38));
    page->addArrangedSubview(makeSpacer(sectionGap));
    page->addArrangedSubview(makeSectionTitle("テキスト補助"));
    page->addArrangedSubview(makeTable({{"機能", 150, TextAlignment::left},
                                        {"ショートカット", 150, TextAlignment::center},
                                        {"内容", 300, TextAlignment::left},
                                        {"状態", 100, TextAlignment::center}},
                                       {makeTextToolCells(TextToolAction::plainCopy, settings.textTools.plainCopy),
                                        makeTextToolCells(TextToolAction::plainPaste, settings.textTools.plainPaste)},
                                       48, 38));
    page->addArrangedSubview(makeSpacer(sectionGap));
    page->addArrangedSubview(makeSectionTitle("文字数チェック"));
    page->addArrangedSubview(makeCharacterCountPanel());
    page->addArrangedSubview(makeQuickGuide());
    return wrapInScrollView(page);
}

appkit::Button* BasicTab::makeTextToolShortcutButton(TextToolAction action, const TextToolShortcutRule& rule) {
    const auto& target = delegate_.shortcutCaptureTarget;
    const bool isCapturing = target == ShortcutCaptureTarget{ShortcutCaptureTarget::TextTool{action}};
    const std::string title = isCapturing ? "キー入力中..." : shortcutTitle(rule.shortcut);
    AppDelegate& delegate = delegate_;
    auto* button = makeSmallButton(title,
                                   appkit::Action{"beginShortcutCapture:",
                                                  [&delegate](appkit::Control& sender) { delegate.beginShortcutCapture(sender); }},
                                   isCapturing, true);
    button->setFixedWidth(148);
    button->setTitleAlignment(Qt::AlignHCenter);
    button->setIdentifier("textTool:" + std::string(rawValue(action)));
    button->setToolTipText(isCapturing ? "設定したいショートカットを押してください。Escでキャンセルします。" : title);
    return button;
}

std::vector<QWidget*> BasicTab::makeTextToolCells(TextToolAction action, const TextToolShortcutRule& rule) {
    const TextToolText text = textOf(action);
    const SwitchCell state =
        makeSwitchCell(rule.isEnabled,
                       delegateAction<TextToolActions>(delegate_, "toggleTextToolEnabled:", &TextToolActions::toggleTextToolEnabled),
                       true, switchCellWidth, "状態");
    state.toggle->setIdentifier(rawValue(action));
    return {makeCellLabel(text.title), makeTextToolShortcutButton(action, rule), makeCellLabel(text.description), state.view};
}

QWidget* BasicTab::makeCharacterCountPanel() {
    const TextToolSettings& tools = delegate_.settings.textTools;
    const SwitchCell countState =
        makeSwitchCell(tools.characterCount.isEnabled,
                       delegateAction<TextToolActions>(delegate_, "toggleTextToolEnabled:", &TextToolActions::toggleTextToolEnabled),
                       true, switchCellWidth, "状態");
    countState.toggle->setIdentifier(rawValue(TextToolAction::characterCount));
    const SwitchCell copyState =
        makeSwitchCell(tools.copiesCharacterCountResult,
                       delegateAction<TextToolActions>(delegate_, "toggleCharacterCountResultCopy:",
                                                       &TextToolActions::toggleCharacterCountResultCopy),
                       true, switchCellWidth, "文字数チェック結果コピー");
    return makeTable({{"項目", 150, TextAlignment::left}, {"内容", 450, TextAlignment::left}, {"状態", 100, TextAlignment::center}},
                     {
                         {makeCellLabel("ショートカット"),
                          makeTextToolShortcutButton(TextToolAction::characterCount, tools.characterCount), countState.view},
                         {makeCellLabel("表示位置"), makeCharacterCountPositionPopup(), nullptr},
                         {makeCellLabel("結果コピー"), makeCellLabel("チェック結果をクリップボードへ残します"), copyState.view},
                     },
                     46, 38);
}

appkit::PopUpButton* BasicTab::makeCharacterCountPositionPopup() {
    auto* popup = new appkit::PopUpButton;
    configurePopup(*popup, TextAlignment::left);
    popup->setAction(delegateAction<TextToolActions>(delegate_, "updateCharacterCountHUDPosition:",
                                                     &TextToolActions::updateCharacterCountHUDPosition));
    for (const auto& [position, raw] : EnumCases<CharacterCountHUDPosition>::cases) {
        popup->addItem(positionTitle(position), std::string(raw));
    }
    popup->selectItem(popup->indexOfItem(positionTitle(delegate_.settings.textTools.characterCountHUDPosition)));
    popup->setFixedWidth(180);
    return popup;
}

} // namespace tessaril
