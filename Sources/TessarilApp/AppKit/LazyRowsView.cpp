#include "TessarilApp/AppKit/LazyRowsView.hpp"

#include <algorithm>
#include <numeric>

#include <QScrollArea>
#include <QLayout>
#include <QScrollBar>

namespace tessaril::appkit {

LazyRowsView::LazyRowsView(int width, std::vector<int> rowHeights, int spacing, RowMaker makeRow, QWidget* parent)
    : View(parent), heights_(std::move(rowHeights)), spacing_(spacing), makeRow_(std::move(makeRow)), rows_(heights_.size()) {
    setFixedSize(width, rowTop(heights_.size()) - (heights_.empty() ? 0 : spacing_));
}

int LazyRowsView::rowTop(std::size_t index) const {
    return std::accumulate(heights_.begin(), heights_.begin() + static_cast<std::ptrdiff_t>(index), 0) +
           spacing_ * static_cast<int>(index);
}

QWidget* LazyRowsView::row(std::size_t index) {
    if (index >= rows_.size()) return nullptr;
    if (rows_[index]) return rows_[index];
    QWidget* made = makeRow_(index);
    made->setParent(this);
    rows_[index] = made;
    made->ensurePolished();
    if (auto* layout = made->layout()) layout->activate();
    const int height = std::clamp(made->sizeHint().height(), made->minimumHeight(), made->maximumHeight());
    made->setGeometry(0, rowTop(index), width(), heights_[index]);
    if (height != heights_[index]) {
        heights_[index] = height;
        placeRowsFrom(index);
    }
    made->show();
    return made;
}

void LazyRowsView::placeRowsFrom(std::size_t index) {
    int top = rowTop(index);
    for (std::size_t each = index; each < rows_.size(); ++each) {
        if (rows_[each]) rows_[each]->setGeometry(0, top, width(), heights_[each]);
        top += heights_[each] + spacing_;
    }
    setFixedHeight(top - (heights_.empty() ? 0 : spacing_));
}

QScrollArea* LazyRowsView::enclosingScrollArea() {
    if (scrollArea_) return scrollArea_;
    for (QWidget* parent = parentWidget(); parent; parent = parent->parentWidget()) {
        auto* area = qobject_cast<QScrollArea*>(parent);
        if (!area || !area->widget() || !area->widget()->isAncestorOf(this)) continue;
        scrollArea_ = area;
        connect(area->verticalScrollBar(), &QScrollBar::valueChanged, this, &LazyRowsView::makeVisibleRows);
        return area;
    }
    return nullptr;
}

void LazyRowsView::makeVisibleRows() {
    // Making a row may move the rows below it and so scroll; one pass at a time. Content that was
    // taken off its window (replaced by a rebuild) makes nothing more.
    if (making_ || heights_.empty() || !isVisibleTo(window())) return;
    making_ = true;
    QRect visible = rect();
    if (QScrollArea* area = enclosingScrollArea()) {
        // From the scroll view's own height and offset, which are right even in a window that is not
        // shown (its viewport is only resized when it is).
        const int top = mapTo(area->widget(), QPoint(0, 0)).y();
        visible &= QRect(0, area->verticalScrollBar()->value() - top, width(), area->contentsRect().height());
    }
    if (!visible.isEmpty()) {
        int top = 0;
        for (std::size_t index = 0; index < rows_.size() && top <= visible.bottom(); ++index) {
            if (top + heights_[index] >= visible.top()) row(index);
            top += heights_[index] + spacing_;
        }
    }
    making_ = false;
}

QWidget* LazyRowsView::scrollToRow(std::size_t index) {
    if (index >= rows_.size()) return nullptr;
    if (QScrollArea* area = enclosingScrollArea()) {
        QWidget* viewport = area->viewport();
        const int top = mapTo(viewport, QPoint(0, rowTop(index))).y();
        QScrollBar* bar = area->verticalScrollBar();
        if (top < 0) {
            bar->setValue(bar->value() + top);
        } else if (top + std::min(heights_[index], viewport->height()) > viewport->height()) {
            bar->setValue(bar->value() + top + std::min(heights_[index], viewport->height()) - viewport->height());
        }
    }
    return row(index);
}

void LazyRowsView::makeVisibleRowsIn(QWidget& root) {
    for (auto* view : root.findChildren<LazyRowsView*>()) view->makeVisibleRows();
}

void LazyRowsView::showEvent(QShowEvent* event) {
    View::showEvent(event);
    makeVisibleRows();
}

void LazyRowsView::moveEvent(QMoveEvent* event) {
    View::moveEvent(event);
    makeVisibleRows();
}

} // namespace tessaril::appkit
