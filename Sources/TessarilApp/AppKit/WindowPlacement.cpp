#include "TessarilApp/AppKit/WindowPlacement.hpp"

#include <algorithm>

namespace tessaril::appkit {

namespace {

// The sizes the area holds with the frame around them; a window keeps at least one point.
WindowPlacement fitted(const QSize& contentSize, const QSize& minimumContentSize, const QRect& area, const QMargins& frameMargins) {
    const QSize room = area.size().shrunkBy(frameMargins).expandedTo(QSize(1, 1));
    const QSize minimum = minimumContentSize.boundedTo(room);
    return {contentSize.expandedTo(minimum).boundedTo(room), minimum, QPoint()};
}

// The first position along one axis that keeps `length` inside [start, start + extent).
int keptInside(int position, int length, int start, int extent) { return std::max(start, std::min(position, start + extent - length)); }

} // namespace

WindowPlacement WindowPlacement::centred(const QSize& contentSize, const QSize& minimumContentSize, const QRect& area,
                                         const QMargins& frameMargins) {
    WindowPlacement placement = fitted(contentSize, minimumContentSize, area, frameMargins);
    const QSize frame = placement.contentSize.grownBy(frameMargins);
    placement.frameOrigin = area.topLeft() + QPoint((area.width() - frame.width()) / 2, (area.height() - frame.height()) / 2);
    return placement;
}

WindowPlacement WindowPlacement::hanging(const QSize& contentSize, const QSize& minimumContentSize, const QRect& area,
                                         const QMargins& frameMargins, int centreX, int top) {
    WindowPlacement placement = fitted(contentSize, minimumContentSize, area, frameMargins);
    const QSize frame = placement.contentSize.grownBy(frameMargins);
    placement.frameOrigin = QPoint(keptInside(centreX - frame.width() / 2, frame.width(), area.left(), area.width()),
                                   keptInside(top, frame.height(), area.top(), area.height()));
    return placement;
}

} // namespace tessaril::appkit
