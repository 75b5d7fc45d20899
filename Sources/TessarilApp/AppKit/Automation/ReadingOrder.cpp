#include "TessarilApp/AppKit/Automation/ReadingOrder.hpp"

#include <algorithm>

#include <QRect>
#include <QWidget>

#include "TessarilApp/AppKit/Control.hpp"
#include "TessarilApp/AppKit/LazyRowsView.hpp"

namespace tessaril::appkit {

namespace {

struct Placed {
    QWidget* widget;
    QRect frame; // in window coordinates
};

// The visible direct children of `parent` in reading order: lines from top to bottom, and within a
// line from left to right.
std::vector<QWidget*> childrenInReadingOrder(QWidget& parent, QWidget& window) {
    std::vector<Placed> placed;
    for (auto* widget : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (widget->isWindow() || !widget->isVisibleTo(&window)) continue;
        placed.push_back({widget, QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size())});
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const Placed& left, const Placed& right) { return left.frame.top() < right.frame.top(); });
    std::vector<std::vector<Placed>> lines;
    for (const auto& item : placed) {
        const int centre = item.frame.top() + item.frame.height() / 2;
        if (!lines.empty()) {
            const QRect& first = lines.back().front().frame;
            if (centre >= first.top() && centre <= first.bottom()) {
                lines.back().push_back(item);
                continue;
            }
        }
        lines.push_back({item});
    }
    std::vector<QWidget*> ordered;
    ordered.reserve(placed.size());
    for (auto& line : lines) {
        std::stable_sort(line.begin(), line.end(),
                         [](const Placed& left, const Placed& right) { return left.frame.left() < right.frame.left(); });
        for (const auto& item : line) ordered.push_back(item.widget);
    }
    return ordered;
}

} // namespace

void visitControlsInReadingOrder(QWidget& window, const std::function<bool(Control&)>& visit) {
    // Depth first with an explicit stack, children pushed in reverse so the first is visited first. A
    // list's row is pushed by its number and made only when it is reached.
    struct Pending {
        QWidget* widget;
        LazyRowsView* list = nullptr;
        std::size_t row = 0;
    };
    std::vector<Pending> pending{{&window}};
    while (!pending.empty()) {
        Pending next = pending.back();
        pending.pop_back();
        QWidget* widget = next.widget;
        if (next.list) widget = next.list->isRowMade(next.row) ? next.list->row(next.row) : next.list->scrollToRow(next.row);
        if (!widget) continue;
        if (widget != &window) {
            if (Control* control = Control::from(widget); control && !visit(*control)) return;
        }
        if (auto* list = qobject_cast<LazyRowsView*>(widget); list && list->isVisibleTo(&window)) {
            for (std::size_t row = list->rowCount(); row > 0; --row) pending.push_back({nullptr, list, row - 1});
            continue;
        }
        const auto children = childrenInReadingOrder(*widget, window);
        for (auto child = children.rbegin(); child != children.rend(); ++child) pending.push_back({*child});
    }
}

std::vector<Control*> controlsInReadingOrder(QWidget& window) {
    std::vector<Control*> ordered;
    visitControlsInReadingOrder(window, [&ordered](Control& control) {
        ordered.push_back(&control);
        return true;
    });
    return ordered;
}

} // namespace tessaril::appkit
