#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include <QPointer>

#include "TessarilApp/AppKit/View.hpp"

class QScrollArea;

namespace tessaril::appkit {

// A column of rows whose heights are known before any row is made. Its size, and so the scroll range
// of the scroll view around it, is right from the start, but a row's widgets are made only when the
// row comes into the visible part of that scroll view (or is asked for), so a long list costs what is
// on screen rather than what is in the document. A row once made stays until the view goes. A row
// that turns out taller or shorter than announced moves the rows below it. Without a scroll view
// around it every row is visible. Main thread only.
class LazyRowsView : public View {
    Q_OBJECT
public:
    using RowMaker = std::function<QWidget*(std::size_t index)>;

    LazyRowsView(int width, std::vector<int> rowHeights, int spacing, RowMaker makeRow, QWidget* parent = nullptr);

    std::size_t rowCount() const { return heights_.size(); }
    // The row's widget, made now if it was not yet; nullptr past the end.
    QWidget* row(std::size_t index);
    bool isRowMade(std::size_t index) const { return index < rows_.size() && rows_[index]; }
    // Scrolls the scroll view around as little as needed for the row's top to show, as a person
    // scrolls to it, and makes it.
    QWidget* scrollToRow(std::size_t index);
    // Makes every row that shows in the scroll view around, and keeps doing so as it scrolls.
    void makeVisibleRows();
    // The same for every such view in `root`.
    static void makeVisibleRowsIn(QWidget& root);

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    QScrollArea* enclosingScrollArea();
    int rowTop(std::size_t index) const;
    void placeRowsFrom(std::size_t index);

    std::vector<int> heights_;
    int spacing_;
    RowMaker makeRow_;
    std::vector<QPointer<QWidget>> rows_;
    QPointer<QScrollArea> scrollArea_;
    bool making_ = false;
};

} // namespace tessaril::appkit
