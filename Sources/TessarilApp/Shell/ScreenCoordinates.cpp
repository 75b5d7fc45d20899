#include "TessarilApp/Shell/ScreenCoordinates.hpp"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace tessaril {

ScreenRect ScreenCoordinates::toScreen(QRect rect) const {
    return {{static_cast<double>(rect.x()), static_cast<double>(flipY_ - rect.y() - rect.height())},
            {static_cast<double>(rect.width()), static_cast<double>(rect.height())}};
}

ScreenPoint ScreenCoordinates::toScreen(QPoint point) const {
    return {static_cast<double>(point.x()), static_cast<double>(flipY_ - point.y())};
}

QPoint ScreenCoordinates::toQtTopLeft(ScreenPoint origin, ScreenSize size) const {
    return {static_cast<int>(std::lround(origin.x)), static_cast<int>(std::lround(flipY_ - origin.y - size.height))};
}

ScreenCoordinates::ScreenCoordinates(const QtDesktop& desktop)
    : ScreenCoordinates(desktop.screens.empty() ? QRect(0, 0, 1280, 800) : desktop.screens.front().geometry) {}

ScreenLayout ScreenCoordinates::layout(const QtDesktop& desktop) const {
    ScreenLayout result;
    for (const auto& screen : desktop.screens) {
        result.screens.push_back({toScreen(screen.geometry), toScreen(screen.availableGeometry)});
    }
    if (!result.screens.empty()) result.mainScreen = result.screens.front();
    result.pointerLocation = toScreen(desktop.pointer);
    return result;
}

ScreenCoordinates::QtDesktop ScreenCoordinates::QtDesktop::current() {
    QtDesktop desktop;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary != nullptr) desktop.screens.push_back({primary->geometry(), primary->availableGeometry()});
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary) desktop.screens.push_back({screen->geometry(), screen->availableGeometry()});
    }
    desktop.pointer = QCursor::pos();
    return desktop;
}

} // namespace tessaril
