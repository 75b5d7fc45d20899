#include "TessarilApp/Shell/SystemTrayIconWindow.hpp"

#include <algorithm>

#include <QApplication>
#include <QEvent>
#include <xcb/xcb.h>

#include "TessarilApp/Shell/XcbReply.hpp"

namespace tessaril {

namespace {

constexpr const char* iconWindowName = "QSystemTrayIconSys";

} // namespace

SystemTrayIconWindow::SystemTrayIconWindow(std::function<void()> moved) : moved_(std::move(moved)) {}

std::vector<QPointer<QWidget>> SystemTrayIconWindow::iconWindows() {
    std::vector<QPointer<QWidget>> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(iconWindowName)) windows.push_back(widget);
    }
    return windows;
}

void SystemTrayIconWindow::watchNewWindow(const std::vector<QPointer<QWidget>>& before) {
    for (const QPointer<QWidget>& window : iconWindows()) {
        // A window gone since is no longer among them, whatever address a new one has.
        if (std::find(before.begin(), before.end(), window) != before.end()) continue;
        if (window_) window_->removeEventFilter(this);
        window_ = window;
        window_->installEventFilter(this);
        return;
    }
}

bool SystemTrayIconWindow::isHeldAtOrigin() const {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!window_ || !x11 || !x11->connection() || !window_->testAttribute(Qt::WA_WState_Created)) return false;
    xcb_connection_t* connection = x11->connection();
    const auto window = static_cast<xcb_window_t>(window_->winId());
    XcbReply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    if (!tree || tree->parent == tree->root || tree->parent == XCB_WINDOW_NONE) return false;
    XcbReply<xcb_translate_coordinates_reply_t> place(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, window, tree->root, 0, 0), nullptr));
    return place && place->dst_x == 0 && place->dst_y == 0;
}

std::optional<QRect> SystemTrayIconWindow::placedGeometry(const QRect& geometry, const std::function<bool()>& isHeldAtOrigin) {
    if (!geometry.isValid() || geometry.isEmpty()) return std::nullopt;
    if (geometry.topLeft() == QPoint(0, 0) && !isHeldAtOrigin()) return std::nullopt;
    return geometry;
}

bool SystemTrayIconWindow::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) moved_();
    return false;
}

} // namespace tessaril
