#pragma once

#include <optional>

#include <QByteArray>
#include <QImage>

class QWidget;

namespace tessaril::appkit {

// Pictures of views at one pixel per point, whatever the screen's scale, for visual checks.

// Lays out the view's subtree so that its geometry is final before it is drawn.
void layoutSubtree(QWidget& view);

// The view's bounds drawn into an RGBA image of exactly its size in points; a null image when the
// size is below one point in either direction or no image of that size can be made.
QImage renderViewImage(QWidget& view);

// The image as PNG data; none when encoding fails.
std::optional<QByteArray> encodePNG(const QImage& image);

} // namespace tessaril::appkit
