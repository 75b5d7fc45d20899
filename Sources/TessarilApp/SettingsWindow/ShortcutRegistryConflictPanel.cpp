#include "TessarilApp/SettingsWindow/ShortcutRegistryConflictPanel.hpp"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/AppKit/Window.hpp"
#include "TessarilApp/SettingsWindow/DelegateAction.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/ShortcutRegistryActions.hpp"
#include "TessarilApp/SettingsWindow/TessarilView.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

namespace palette = settings_palette;
using appkit::StackView;
using appkit::TextAlignment;

constexpr int panelWidth = 450;

std::string placeOf(const ShortcutRegistryEntry& entry) { return entry.section + " / " + entry.item + " / " + entry.target; }

} // namespace

int ShortcutRegistryConflictPanel::height(std::size_t relatedCount) {
    const auto natural = static_cast<long long>(28 * relatedCount + 500);
    return static_cast<int>(std::min<long long>(std::max<long long>(natural, 560), 680));
}

std::string ShortcutRegistryConflictPanel::detailText(const ShortcutRegistryEntry& entry, ShortcutRegistryConflictStatus status,
                                                      const std::vector<ShortcutRegistryEntry>& relatedEntries) {
    std::string text;
    switch (status) {
    case ShortcutRegistryConflictStatus::none: text = "同じショートカットはありません。"; break;
    case ShortcutRegistryConflictStatus::caution:
        text = "同じショートカットが別の対象でも使われています。対象が重ならなければ実害はありません。";
        break;
    case ShortcutRegistryConflictStatus::conflict:
        text = "同じ対象の中で同じショートカットが使われています。どちらかを付け替えてください。";
        break;
    }
    text += "\n対象: " + placeOf(entry);
    if (!relatedEntries.empty()) {
        text += "\n\n同じキーを使っている項目:";
        for (const auto& related : relatedEntries) text += "\n・" + placeOf(related);
    }
    return text;
}

QWidget* ShortcutRegistryConflictPanel::makeDescriptionBox(const ShortcutRegistryEntry& entry, ShortcutRegistryConflictStatus status,
                                                           const std::vector<ShortcutRegistryEntry>& relatedEntries) {
    auto* box = new StackView(StackView::Orientation::vertical);
    box->setAlignment(StackView::Alignment::leading);
    box->setSpacing(8);
    box->setEdgeInsets({12, 12, 12, 12});
    box->setFixedWidth(390);
    box->setLayerStyle({palette::rgb(0.105, 0.11, 0.118), palette::white(0.17), 1});
    box->addArrangedSubview(makeLabel("詳細", 13, appkit::FontWeight::medium, palette::white(0.96)));
    auto* detail = makeSubtleLabel(detailText(entry, status, relatedEntries), 12);
    detail->setMaximumNumberOfLines(0);
    detail->setFixedWidth(358);
    box->addArrangedSubview(detail);
    return box;
}

QWidget* ShortcutRegistryConflictPanel::makeContent(const ShortcutRegistryEntry& entry, ShortcutRegistryConflictStatus status,
                                                    const std::vector<ShortcutRegistryEntry>& relatedEntries) {
    // 410 wide as asked, widened to hold the 390-wide description box inside its 18-point insets.
    auto* stack = makePanelStack(410 + 16);
    stack->setEdgeInsets({18, 18, 18, 18});
    stack->addArrangedSubview(makeHeaderLine(std::string(shortcut_registry::conflictWord(status)), shortcutTitle(entry.shortcut)));
    stack->addArrangedSubview(makeSubtleLabel(placeOf(entry), 12));
    if (relatedEntries.empty()) {
        stack->addArrangedSubview(makeSubtleLabel("同じショートカットはありません。", 13));
    } else {
        std::vector<std::vector<QWidget*>> rows;
        for (const auto& related : relatedEntries) {
            rows.push_back({makeCellLabel(related.section), makeTooltippedCellLabel(related.item),
                            makeTooltippedCellLabel(related.target)});
        }
        stack->addArrangedSubview(
            makeTable({{"区分", 88, TextAlignment::left}, {"項目", 128, TextAlignment::left}, {"対象", 138, TextAlignment::left}},
                      rows, 42, 34));
    }
    stack->addArrangedSubview(makeDescriptionBox(entry, status, relatedEntries));
    stack->addArrangedSubview(makeSmallButton("閉じる",
                                              delegateAction<ShortcutRegistryActions>(delegate_, "closeShortcutRegistryConflictPanel",
                                                                                      &ShortcutRegistryActions::closeShortcutRegistryConflictPanel),
                                              false, true));
    auto* content = new TessarilView;
    content->setBackgroundColor(palette::windowBackground());
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(stack, 0, Qt::AlignTop | Qt::AlignHCenter);
    // Many rows on one shortcut make the content taller than the panel may grow: it scrolls then, the
    // stack still centred beside the scroller.
    return wrapInScrollView(content);
}

void ShortcutRegistryConflictPanel::show(const ShortcutRegistryEntry& entry) {
    close();
    const auto all = delegate_.shortcutRegistryEntries();
    const auto related = shortcut_registry::relatedEntries(entry, all);
    const auto status = delegate_.shortcutRegistryConflictStatus(entry, all);
    const int panelHeight = height(related.size());

    auto* panel = new appkit::Window({QSize(panelWidth, panelHeight), QSize(panelWidth, panelHeight), "競合詳細", true, false,
                                      palette::windowBackground()});
    panel->setContentView(makeContent(entry, status, related));
    panel->setFixedSize(panelWidth, panelHeight);
    // It shows over the settings window without taking the focus from it.
    panel->setAttribute(Qt::WA_ShowWithoutActivating);
    if (QWidget* window = delegate_.settingsWindow.data()) {
        // A floating child of the settings window, at its right edge and centred on it unless that
        // would take it below the window's lower part.
        panel->setParent(window, Qt::Tool | Qt::WindowStaysOnTopHint);
        const QRect frame = window->frameGeometry();
        const int bottom = std::min(frame.bottom() - 72, frame.center().y() + panelHeight / 2);
        panel->move(frame.right() + 1 - 472, bottom - panelHeight);
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        panel->move(screen->availableGeometry().center() - QPoint(panelWidth / 2, panelHeight / 2));
    }
    delegate_.shortcutRegistryConflictPanel = panel;
    panel->show();
    panel->raise();
}

void ShortcutRegistryConflictPanel::close() {
    if (QWidget* panel = delegate_.shortcutRegistryConflictPanel.data()) {
        panel->close();
        panel->deleteLater();
    }
    delegate_.shortcutRegistryConflictPanel = nullptr;
}

} // namespace tessaril
