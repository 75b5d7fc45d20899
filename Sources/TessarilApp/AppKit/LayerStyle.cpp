#include "TessarilApp/AppKit/LayerStyle.hpp"

#include <QPainter>
#include <QRect>

namespace tessaril::appkit {

void LayerStyle::paint(QPainter& painter, const QRect& bounds) const {
    if (backgroundColor) painter.fillRect(bounds, *backgroundColor);
    if (!borderColor || borderWidth <= 0 || borderColor->alpha() == 0) return;
    const int width = borderWidth;
    // Four filled bands rather than a stroked rectangle: exact pixels at every width, no antialiasing.
    painter.fillRect(QRect(bounds.left(), bounds.top(), bounds.width(), width), *borderColor);
    painter.fillRect(QRect(bounds.left(), bounds.bottom() - width + 1, bounds.width(), width), *borderColor);
    painter.fillRect(QRect(bounds.left(), bounds.top() + width, width, bounds.height() - 2 * width), *borderColor);
    painter.fillRect(QRect(bounds.right() - width + 1, bounds.top() + width, width, bounds.height() - 2 * width),
                     *borderColor);
}

} // namespace tessaril::appkit
