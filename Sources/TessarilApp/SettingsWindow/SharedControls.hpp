#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QColor>

#include "TessarilApp/AppKit/Action.hpp"
#include "TessarilApp/AppKit/Font.hpp"
#include "TessarilApp/AppKit/TextAlignment.hpp"
#include "TessarilApp/SettingsWindow/StatusTone.hpp"
#include "TessarilApp/SettingsWindow/TableColumn.hpp"
#include "TessarilCore/Input/Shortcut.hpp"

class QWidget;

namespace tessaril {

namespace appkit {
class Button;
class Label;
class PopUpButton;
class ScrollView;
class StackView;
class TextField;
class View;
} // namespace appkit

class TessarilButton;
class TessarilView;

// The control factories every page of the settings window is made of. They take plain values, keep
// nothing, and return new views that the page adding them owns; the next rebuild drops them.
// Controls that act carry the given action; callers set identifiers and represented objects
// afterwards. Main thread only.

// A label in the window's style: clear background, one line, truncated at the tail.
appkit::Label* makeLabel(const std::string& text, int size, appkit::FontWeight weight, const QColor& color);

appkit::StackView* makePageStack(const std::string& title, const std::string& subtitle);
appkit::Label* makeSectionTitle(const std::string& text);
appkit::Label* makeSubtleLabel(const std::string& text, int size);
appkit::Label* makeCellLabel(const std::string& text);
appkit::Label* makeFeatureDescriptionLabel(const std::string& text);
TessarilView* makeStatusLabel(const std::string& text, StatusTone tone, int width);
appkit::StackView* makeHeaderLine(const std::string& title, const std::string& tag);

TessarilButton* makeSwitchButton(bool isOn, appkit::Action action, bool isEnabled);
// The state column of a toggle: a flexible space, "ON" or "OFF" (dimmed when disabled) and the switch,
// whose accessibility label is `accessibilityLabel` and value "ON" or "OFF"; the given width.
struct SwitchCell {
    appkit::StackView* view;
    TessarilButton* toggle;
};
SwitchCell makeSwitchCell(bool isOn, appkit::Action action, bool isEnabled, int width,
                          const std::string& accessibilityLabel);
appkit::StackView* makeFeatureToggleRow(const std::string& title, const std::string& detail, bool isOn,
                                        appkit::Action action, bool isEnabled, const std::string& accessibilityLabel);
// Without an action the button has none and a click does nothing.
appkit::Button* makeSmallButton(const std::string& title, std::optional<appkit::Action> action, bool isPrimary,
                                bool isEnabled);
TessarilButton* makeListButton(const std::string& title, const std::string& subtitle, bool isSelected,
                               appkit::Action action, int width);
void configurePopup(appkit::PopUpButton& popup, appkit::TextAlignment alignment);
appkit::TextField* makeTextField(const std::string& value, const std::string& placeholder, int width);

appkit::StackView* makePanelStack(int width);
// A row of views centred on one horizontal line, 8 apart.
appkit::StackView* makeCenteredRow();
// `rows` holds one list of cell views per row, one per column.
appkit::StackView* makeTable(const std::vector<TableColumn>& columns, const std::vector<std::vector<QWidget*>>& rows,
                             int rowHeight, int headerHeight);
// The same table for `rowCount` rows whose cells `makeCells` makes only as each row scrolls into view.
appkit::StackView* makeTable(const std::vector<TableColumn>& columns, std::size_t rowCount,
                             std::function<std::vector<QWidget*>(std::size_t)> makeCells, int rowHeight, int headerHeight);
// The sum of the columns' widths.
int tableWidth(const std::vector<TableColumn>& columns);
// Missing cells are empty views of their column's width.
appkit::StackView* makeTableRow(const std::vector<TableColumn>& columns, const std::vector<QWidget*>& cells, int height,
                                bool isHeader, bool isAlternate);
appkit::ScrollView* wrapInScrollView(QWidget* view, std::optional<int> width = std::nullopt,
                                     std::optional<int> height = std::nullopt);
appkit::StackView* makeQuickGuide();
// An empty view that keeps `height` free in a column.
appkit::View* makeSpacer(int height);
appkit::StackView* makeWritingAssistFormRow(const std::string& label, QWidget* control);

// The display text of a shortcut: "未設定" for none, else the modifiers in the fixed order ⌘ ⇧ ⌥ ⌃
// and the key, joined by "+" (⌘+Q, ⌥+テンキー ., Escape).
std::string shortcutTitle(const std::optional<Shortcut>& shortcut);

} // namespace tessaril
