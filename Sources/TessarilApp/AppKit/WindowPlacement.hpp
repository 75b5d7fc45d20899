#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace tessaril::appkit {

// Where a window goes in a screen's available area and how large it may be there. The whole frame
// (the content with the title bar and borders around it) stays inside the area: where the area holds
// them the content keeps its size and the window its minimum size; where it does not, both shrink to
// what the area holds, and the content scrolls rather than leaving the screen.
struct WindowPlacement {
    QSize contentSize;
    QSize minimumContentSize;
    // The top left corner of the frame.
    QPoint frameOrigin;

    // The frame centred in the area.
    static WindowPlacement centred(const QSize& contentSize, const QSize& minimumContentSize, const QRect& area,
                                   const QMargins& frameMargins);
    // A sheet: the frame's top at `top`, centred across `centreX`, then moved as little as keeps it in
    // the area.
    static WindowPlacement hanging(const QSize& contentSize, const QSize& minimumContentSize, const QRect& area,
                                   const QMargins& frameMargins, int centreX, int top);
};

} // namespace tessaril::appkit
