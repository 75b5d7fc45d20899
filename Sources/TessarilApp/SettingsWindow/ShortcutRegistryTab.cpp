#include "TessarilApp/SettingsWindow/ShortcutRegistryTab.hpp"

#include <string>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutRegistryFilter.hpp"
#include "TessarilApp/SettingsWindow/DelegateAction.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/ShortcutRegistryActions.hpp"
#include "TessarilApp/SettingsWindow/TessarilView.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

using appkit::StackView;
using appkit::TextAlignment;

appkit::Button* makeRowButton(const std::string& title, appkit::Action action, bool isPrimary, bool isEnabled, int width,
                              const std::string& identifier) {
    auto* button = makeSmallButton(title, std::move(action), isPrimary, isEnabled);
    button->setFixedWidth(width);
    button->setIdentifier(identifier);
    return button;
}

} // namespace

QWidget* ShortcutRegistryTab::makeShortcutRegistryTab() {
    auto* page = makePageStack("ショートカット台帳", "登録済みのショートカットを一覧し、重複を確認します。");
    page->addArrangedSubview(makeShortcutRegistryFilterBar());
    page->addArrangedSubview(makeShortcutSymbolLegend());
    auto all = delegate_.shortcutRegistryEntries();
    auto statuses = shortcut_registry::conflictStatuses(all);
    const auto shown = shortcut_registry::filteredIndices(all, statuses, delegate_.shortcutRegistryFilter);
    // A long registry makes only the rows that scroll into view.
    AppDelegate& delegate = delegate_;
    auto makeCells = [&delegate, shown, all = std::move(all), statuses = std::move(statuses)](std::size_t row) {
        return ShortcutRegistryTab(delegate).makeShortcutRegistryCells(all[shown[row]], statuses[shown[row]]);
    };
    // Narrower than 1040 in all, so that the table fits the page at the window's least width beside
    // a vertical scroller: the item and target (whole in their tool tips) give the most.
    page->addArrangedSubview(makeTable({{"区分", 116, TextAlignment::left},
                                        {"項目", 170, TextAlignment::left},
                                        {"ショートカット", 142, TextAlignment::center},
                                        {"対象", 150, TextAlignment::left},
                                        {"状態", 76, TextAlignment::center},
                                        {"競合", 82, TextAlignment::center},
                                        {"操作", 246, TextAlignment::center}},
                                       shown.size(), std::move(makeCells), 48, 38));
    if (shown.empty()) page->addArrangedSubview(makeSubtleLabel("この表示条件に該当するショートカットはありません。", 12));
    return wrapInScrollView(page);
}

QWidget* ShortcutRegistryTab::makeShortcutRegistryFilterBar() {
    auto* bar = new StackView(StackView::Orientation::horizontal);
    bar->setAlignment(StackView::Alignment::centerY);
    bar->setSpacing(8);
    for (const auto filter : allCases<ShortcutRegistryFilter>()) {
        bar->addArrangedSubview(makeRowButton(
            std::string(shortcut_registry::filterTitle(filter)),
            delegateAction<ShortcutRegistryActions>(delegate_, "selectShortcutRegistryFilter:",
                                                    &ShortcutRegistryActions::selectShortcutRegistryFilter),
            filter == delegate_.shortcutRegistryFilter, true, 96, std::string(rawValue(filter))));
    }
    return bar;
}

QWidget* ShortcutRegistryTab::makeShortcutSymbolLegend() {
    return makeTable({{"記号", 480, TextAlignment::left}, {"意味", 460, TextAlignment::left}},
                     {{makeCellLabel("⌘ Command  /  ⇧ Shift  /  ⌥ Option  /  ⌃ Control"),
                       makeCellLabel("この画面以外の設定では記号で表示します")}},
                     38, 0);
}

std::vector<QWidget*> ShortcutRegistryTab::makeShortcutRegistryCells(const ShortcutRegistryEntry& entry,
                                                                      ShortcutRegistryConflictStatus status) {
    return {makeTooltippedCellLabel(entry.section),
            makeTooltippedCellLabel(entry.item),
            makeShortcutRegistryShortcutButton(entry),
            makeTooltippedCellLabel(entry.target),
            makeStatusLabel(entry.isEnabled ? "有効" : "無効", entry.isEnabled ? StatusTone::accent : StatusTone::neutral, 60),
            makeShortcutRegistryConflictButton(entry, status),
            makeShortcutRegistryActions(entry)};
}

QWidget* ShortcutRegistryTab::makeShortcutRegistryShortcutButton(const ShortcutRegistryEntry& entry) {
    const auto& capturing = delegate_.shortcutCaptureTarget;
    auto* button = makeRowButton(shortcutTitle(entry.shortcut),
                                 delegateAction<ShortcutRegistryActions>(delegate_, "clickShortcutRegistryShortcut:",
                                                                         &ShortcutRegistryActions::clickShortcutRegistryShortcut),
                                 capturing && capturing->rawValue() == entry.id, true, 126, entry.id);
    button->setTitleAlignment(Qt::AlignHCenter);
    // The button is too narrow for a shortcut with every modifier: its tool tip holds the whole of it.
    button->setToolTipText(shortcutTitle(entry.shortcut) + "\n" +
                           (entry.editMode.isDirect() ? "クリックして付け替えます" : "この台帳からは直接変更できません"));
    return button;
}

QWidget* ShortcutRegistryTab::makeShortcutRegistryConflictButton(const ShortcutRegistryEntry& entry,
                                                                 ShortcutRegistryConflictStatus status) {
    const std::string word(shortcut_registry::conflictWord(status));
    if (status == ShortcutRegistryConflictStatus::none) return makeStatusLabel(word, StatusTone::neutral, 68);
    auto* button = makeRowButton(word,
                                 delegateAction<ShortcutRegistryActions>(delegate_, "openShortcutRegistryConflictDetail:",
                                                                         &ShortcutRegistryActions::openShortcutRegistryConflictDetail),
                                 true, true, 76, entry.id);
    button->setToolTipText("クリックして詳細を確認します");
    return button;
}

QWidget* ShortcutRegistryTab::makeShortcutRegistryActions(const ShortcutRegistryEntry& entry) {
    auto* stack = new StackView(StackView::Orientation::horizontal);
    stack->setAlignment(StackView::Alignment::centerY);
    stack->setSpacing(6);
    const SettingsTab page = ShortcutRegistryActions::originalSettingsTab(entry);
    stack->addArrangedSubview(makeRowButton("変更",
                                            delegateAction<ShortcutRegistryActions>(delegate_, "clickShortcutRegistryShortcut:",
                                                                                    &ShortcutRegistryActions::clickShortcutRegistryShortcut),
                                            false, true, 70, entry.id));
    stack->addArrangedSubview(makeRowButton("元画面",
                                            delegateAction<ShortcutRegistryActions>(delegate_, "openShortcutRegistryOriginalSettings:",
                                                                                    &ShortcutRegistryActions::openShortcutRegistryOriginalSettings),
                                            false, true, 70, std::string(rawValue(page))));
    stack->addArrangedSubview(makeRowButton("セット編集",
                                            delegateAction<ShortcutRegistryActions>(delegate_, "openShortcutRegistrySet:",
                                                                                    &ShortcutRegistryActions::openShortcutRegistrySet),
                                            false, ShortcutRegistryActions::canOpenSet(entry), 84, entry.id));
    return stack;
}

} // namespace tessaril
