#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

namespace tessaril {

// The window Qt's X11 tray code makes for a tray icon, which the tray then takes into itself (XEmbed),
// a moment after the icon was shown. Until Qt has heard of that, the geometry it gives is the one the
// window was made with, at the screen's origin, and says nothing of where the icon is. This watch tells when the window moves or changes
// size, without polling, and whether a tray holds it yet. Where Qt draws the icon otherwise (a tray
// reached over D-Bus) there is no such window: nothing is told, and the icon's place stays unknown.
// Main thread.
class SystemTrayIconWindow final : public QObject {
public:
    // `moved` runs on each move or size change of the watched window.
    explicit SystemTrayIconWindow(std::function<void()> moved);

    // Qt's icon windows that exist now (they bear Qt's own object name for them).
    static std::vector<QPointer<QWidget>> iconWindows();
    // Watches the icon window that exists now but was not among `before`, as after a tray icon was
    // shown; with none new, keeps watching the one it had, while it lasts.
    void watchNewWindow(const std::vector<QPointer<QWidget>>& before);
    QWidget* window() const { return window_.data(); }
    // Whether a tray holds the window (its parent on the X server is not the root window) with its
    // top-left corner at the screen's origin. Asks the server: Qt learns of the embedding only later,
    // and until then keeps the geometry the window was made with.
    bool isHeldAtOrigin() const;

    // What the geometry Qt gives for a tray icon tells of its place: nothing when it is empty, or when
    // it is at the origin unless `isHeldAtOrigin` says a tray really holds it there.
    static std::optional<QRect> placedGeometry(const QRect& geometry, const std::function<bool()>& isHeldAtOrigin);

private:
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::function<void()> moved_;
    QPointer<QWidget> window_;
};

} // namespace tessaril
