#include "TessarilApp/AppKit/Automation/ReadingOrder.hpp"

#include <algorithm>

#include <QRect>
#include <QWidget>

#include "TessarilApp/AppKit/Control.hpp"

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

std::vector<Control*> controlsInReadingOrder(QWidget& window) {
    std::vector<Control*> ordered;
    // Depth first with an explicit stack, children pushed in reverse so the first is visited first.
    std::vector<QWidget*> pending{&window};
    while (!pending.empty()) {
        QWidget* widget = pending.back();
        pending.pop_back();
        if (widget != &window) {
            if (Control* control = Control::from(widget)) ordered.push_back(control);
        }
        const auto children = childrenInReadingOrder(*widget, window);
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return ordered;
}

} // namespace tessaril::appkit
