#include "TessarilApp/AppKit/WindowFrameView.hpp"

#include <QPainter>

#include "TessarilApp/AppKit/Window.hpp"

namespace tessaril::appkit {

WindowFrameView::WindowFrameView(Window& window) : QWidget(nullptr), window_(&window) {
    setAttribute(Qt::WA_DontShowOnScreen);
    updateSize();
}

void WindowFrameView::updateSize() {
    if (window_) resize(window_->width(), window_->height() + Window::titleBarHeight);
}

void WindowFrameView::paintEvent(QPaintEvent*) {
    if (!window_) return;
    QPainter painter(this);
    window_->paintTitleBar(painter, width());
    window_->render(&painter, QPoint(0, Window::titleBarHeight), QRegion(),
                    QWidget::DrawWindowBackground | QWidget::DrawChildren);
}

} // namespace tessaril::appkit
