#include "TessarilApp/AppKit/ImageView.hpp"

#include <QPainter>

namespace tessaril::appkit {

ImageView::ImageView(QImage image, QWidget* parent) : QWidget(parent), image_(std::move(image)) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void ImageView::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize fitted = image_.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
    painter.drawImage(target, image_);
}

} // namespace tessaril::appkit
