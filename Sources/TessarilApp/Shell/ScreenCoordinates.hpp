#pragma once

#include <QPoint>
#include <QRect>

#include <vector>

#include "TessarilMac/TextActions/ScreenGeometry.hpp"

namespace tessaril {

// Between Qt's global coordinates (y down, origin at the top left of the virtual desktop) and the
// system's (points, origin at the bottom left of the main screen, y up). Placement works in the system's
// coordinates; the application converts once on the way in and once on the way out.
struct ScreenCoordinates {
    struct QtScreen {
        QRect geometry;
        QRect availableGeometry;
    };
    // The screens in Qt's coordinates, the main screen first, and the pointer.
    struct QtDesktop {
        std::vector<QtScreen> screens;
        QPoint pointer;

        static QtDesktop current();
    };

    // The main screen's Qt geometry fixes the flip.
    explicit ScreenCoordinates(QRect mainGeometry) : flipY_(mainGeometry.y() + mainGeometry.height()) {}
    // Without a screen, the 1280 × 800 stand-in that placement uses.
    explicit ScreenCoordinates(const QtDesktop& desktop);

    ScreenRect toScreen(QRect rect) const;
    ScreenPoint toScreen(QPoint point) const;
    // The Qt top-left corner of a window of `size` whose bottom-left corner is `origin`.
    QPoint toQtTopLeft(ScreenPoint origin, ScreenSize size) const;

    // The desktop in the system's coordinates (no screen: no main screen).
    ScreenLayout layout(const QtDesktop& desktop) const;

private:
    int flipY_;
};

} // namespace tessaril
