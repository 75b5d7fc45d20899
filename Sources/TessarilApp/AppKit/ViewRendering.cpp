#include "TessarilApp/AppKit/ViewRendering.hpp"

#include <QBuffer>
#include <QCoreApplication>
#include <QLayout>
#include <QWidget>

namespace tessaril::appkit {

void layoutSubtree(QWidget& view) {
    view.ensurePolished();
    // Outermost first: each layout places its children, whose own layouts then fill them. A view
    // that is not shown gets no resize events, so a layout laid out before its view was resized
    // would keep the old size: each is laid out afresh.
    const bool isShown = view.isVisible();
    const auto place = [isShown](QLayout* layout) {
        if (!layout) return;
        if (!isShown) layout->invalidate();
        layout->activate();
    };
    place(view.layout());
    for (auto* child : view.findChildren<QWidget*>()) place(child->layout());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

QImage renderViewImage(QWidget& view) {
    layoutSubtree(view);
    const QSize size = view.size();
    if (size.width() < 1 || size.height() < 1) return {};
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return {};
    image.setDevicePixelRatio(1.0);
    image.fill(Qt::transparent);
    view.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return image;
}

std::optional<QByteArray> encodePNG(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return std::nullopt;
    return data;
}

} // namespace tessaril::appkit
