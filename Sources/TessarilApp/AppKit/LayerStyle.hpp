#pragma once

#include <optional>

#include <QColor>

class QPainter;
class QRect;

namespace tessaril::appkit {

// The backing layer of a view: a flat fill and a border drawn inside the bounds, square corners.
struct LayerStyle {
    std::optional<QColor> backgroundColor;
    std::optional<QColor> borderColor;
    int borderWidth = 0;

    bool isEmpty() const { return !backgroundColor && (!borderColor || borderWidth <= 0); }
    void paint(QPainter& painter, const QRect& bounds) const;
};

} // namespace tessaril::appkit
