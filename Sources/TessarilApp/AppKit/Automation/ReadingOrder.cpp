#include "TessarilApp/AppKit/Automation/ReadingOrder.hpp"

#include <algorithm>

#include <QRect>
#include <QWidget>

#include "TessarilApp/AppKit/Control.hpp"

namespace tessaril::appkit {

namespace {

struct Placed {
    Control* control;
    QRect frame; // in window coordinates
};

} // namespace

std::vector<Control*> controlsInReadingOrder(QWidget& window) {
    std::vector<Placed> placed;
    for (auto* widget : window.findChildren<QWidget*>()) {
        Control* control = Control::from(widget);
        if (!control || !widget->isVisibleTo(&window)) continue;
        placed.push_back({control, QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size())});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& left, const Placed& right) {
        return left.frame.top() < right.frame.top();
    });
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
    std::vector<Control*> ordered;
    ordered.reserve(placed.size());
    for (auto& line : lines) {
        std::stable_sort(line.begin(), line.end(), [](const Placed& left, const Placed& right) {
            return left.frame.left() < right.frame.left();
        });
        for (const auto& item : line) ordered.push_back(item.control);
    }
    return ordered;
}

} // namespace tessaril::appkit
