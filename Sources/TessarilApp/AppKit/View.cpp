#include "TessarilApp/AppKit/View.hpp"

#include <QPainter>

namespace tessaril::appkit {

View::View(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void View::setLayerStyle(const LayerStyle& layer) {
    layer_ = layer;
    update();
}

void View::setBackgroundColor(const QColor& color) {
    layer_.backgroundColor = color;
    update();
}

void View::setBorder(const QColor& color, int width) {
    layer_.borderColor = color;
    layer_.borderWidth = width;
    update();
}

View* View::makeFlexibleSpace(QWidget* parent) {
    auto* space = new View(parent);
    space->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    space->setMinimumSize(0, 0);
    return space;
}

void View::paintEvent(QPaintEvent*) {
    if (layer_.isEmpty()) return;
    QPainter painter(this);
    layer_.paint(painter, rect());
}

} // namespace tessaril::appkit
