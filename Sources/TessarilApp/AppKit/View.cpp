#include "TessarilApp/AppKit/View.hpp"

#include <QChildEvent>
#include <QPainter>

namespace tessaril::appkit {

namespace {

// Draws the border of its parent view's layer above the parent's subviews.
class BorderOverlay final : public QWidget {
public:
    explicit BorderOverlay(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }
    LayerStyle border;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        border.paint(painter, rect());
    }
};

} // namespace

View::View(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void View::setLayerStyle(const LayerStyle& layer) {
    layer_ = layer;
    updateBorderOverlay();
    update();
}

void View::setBackgroundColor(const QColor& color) {
    layer_.backgroundColor = color;
    update();
}

void View::setBorder(const QColor& color, int width) {
    layer_.borderColor = color;
    layer_.borderWidth = width;
    updateBorderOverlay();
}

void View::updateBorderOverlay() {
    const bool hasBorder = layer_.borderColor && layer_.borderWidth > 0;
    if (!hasBorder) {
        delete borderOverlay_;
        borderOverlay_ = nullptr;
        return;
    }
    if (!borderOverlay_) borderOverlay_ = new BorderOverlay(this);
    auto* overlay = static_cast<BorderOverlay*>(borderOverlay_);
    overlay->border = LayerStyle{std::nullopt, layer_.borderColor, layer_.borderWidth};
    overlay->setGeometry(rect());
    overlay->raise();
    overlay->update();
}

void View::resizeEvent(QResizeEvent* event) {
    if (borderOverlay_) borderOverlay_->setGeometry(rect());
    QWidget::resizeEvent(event);
}

void View::childEvent(QChildEvent* event) {
    // A subview added later goes above the overlay; the overlay goes back on top.
    if (event->added() && borderOverlay_ && event->child() != borderOverlay_) borderOverlay_->raise();
    QWidget::childEvent(event);
}

View* View::makeFlexibleSpace(QWidget* parent) {
    auto* space = new View(parent);
    space->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    space->setMinimumSize(0, 0);
    return space;
}

void View::paintEvent(QPaintEvent*) {
    if (!layer_.backgroundColor) return;
    QPainter painter(this);
    painter.fillRect(rect(), *layer_.backgroundColor);
}

} // namespace tessaril::appkit
