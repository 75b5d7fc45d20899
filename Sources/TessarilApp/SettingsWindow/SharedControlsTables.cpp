#include <algorithm>

#include <QHBoxLayout>

#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/LazyRowsView.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/TessarilDocumentView.hpp"

namespace tessaril {

namespace palette = settings_palette;
using appkit::FontWeight;
using appkit::StackView;

StackView* makePanelStack(int width) {
    auto* stack = new StackView(StackView::Orientation::vertical);
    stack->setAlignment(StackView::Alignment::leading);
    stack->setSpacing(12);
    stack->setEdgeInsets({22, 18, 22, 18});
    stack->setLayerStyle({palette::panelBackground(), palette::panelBorder(), 1});
    stack->setFixedWidth(width);
    return stack;
}

StackView* makeCenteredRow() {
    auto* stack = new StackView(StackView::Orientation::horizontal);
    stack->setAlignment(StackView::Alignment::centerY);
    stack->setSpacing(8);
    return stack;
}

namespace {

StackView* makeTableFrame(const std::vector<TableColumn>& columns, std::size_t rowCount, int rowHeight, int headerHeight) {
    auto* table = new StackView(StackView::Orientation::vertical);
    table->setAlignment(StackView::Alignment::leading);
    table->setSpacing(0);
    table->setLayerStyle({palette::panelBackground(), palette::panelBorder(), 1});
    table->setFixedSize(tableWidth(columns), headerHeight + rowHeight * static_cast<int>(rowCount));

    std::vector<QWidget*> header;
    for (const auto& column : columns) {
        auto* title = makeLabel(column.title, 12, FontWeight::medium, palette::secondaryText());
        title->setTextAlignment(appkit::qtAlignment(column.alignment));
        header.push_back(title);
    }
    table->addArrangedSubview(makeTableRow(columns, header, headerHeight, true, false));
    return table;
}

} // namespace

int tableWidth(const std::vector<TableColumn>& columns) {
    int width = 0;
    for (const auto& column : columns) width += column.width;
    return width;
}

StackView* makeTable(const std::vector<TableColumn>& columns, const std::vector<std::vector<QWidget*>>& rows,
                     int rowHeight, int headerHeight) {
    StackView* table = makeTableFrame(columns, rows.size(), rowHeight, headerHeight);
    for (std::size_t index = 0; index < rows.size(); ++index) {
        table->addArrangedSubview(makeTableRow(columns, rows[index], rowHeight, false, index % 2 == 1));
    }
    return table;
}

StackView* makeTable(const std::vector<TableColumn>& columns, std::size_t rowCount,
                     std::function<std::vector<QWidget*>(std::size_t)> makeCells, int rowHeight, int headerHeight) {
    StackView* table = makeTableFrame(columns, rowCount, rowHeight, headerHeight);
    if (rowCount == 0) return table;
    table->addArrangedSubview(new appkit::LazyRowsView(
        tableWidth(columns), std::vector<int>(rowCount, rowHeight), 0,
        [columns, rowHeight, makeCells = std::move(makeCells)](std::size_t index) -> QWidget* {
            return makeTableRow(columns, makeCells(index), rowHeight, false, index % 2 == 1);
        }));
    return table;
}

StackView* makeTableRow(const std::vector<TableColumn>& columns, const std::vector<QWidget*>& cells, int height,
                        bool isHeader, bool isAlternate) {
    auto* row = new StackView(StackView::Orientation::horizontal);
    row->setAlignment(StackView::Alignment::centerY);
    row->setSpacing(0);
    row->setBackgroundColor(isHeader ? palette::headerRow()
                                     : (isAlternate ? palette::alternateRow() : palette::panelBackground()));
    row->setFixedHeight(height);
    for (std::size_t index = 0; index < columns.size(); ++index) {
        auto* container = new appkit::View;
        container->setFixedSize(columns[index].width, height);
        QWidget* content = index < cells.size() && cells[index] ? cells[index] : new appkit::View;
        // A cell keeps 8 from both sides; one that is wider than that allows is centred over them.
        // Its least width is what its layout needs (a row of buttons) or what it is fixed to.
        const int least = std::max(content->minimumWidth(), content->minimumSizeHint().width());
        const int inset = std::clamp((columns[index].width - least) / 2, 0, 8);
        auto* box = new QHBoxLayout(container);
        box->setContentsMargins(inset, 0, inset, 0);
        box->setSpacing(0);
        box->addWidget(content, 0, appkit::qtAlignment(columns[index].alignment) | Qt::AlignVCenter);
        row->addArrangedSubview(container);
    }
    return row;
}

appkit::View* makeSpacer(int height) {
    auto* spacer = new appkit::View;
    spacer->setFixedSize(1, height);
    return spacer;
}

appkit::ScrollView* wrapInScrollView(QWidget* view, std::optional<int> width, std::optional<int> height) {
    auto* scroll = new appkit::ScrollView;
    auto* document = new TessarilDocumentView;
    document->setBackgroundColor(palette::windowBackground());
    scroll->setDocumentView(document, view);
    // A window made smaller than its pages (on a small screen) scrolls them sideways, cutting nothing.
    scroll->setScrollsHorizontally(true);
    if (width) scroll->setFixedWidth(*width);
    if (height) scroll->setFixedHeight(*height);
    return scroll;
}

} // namespace tessaril
