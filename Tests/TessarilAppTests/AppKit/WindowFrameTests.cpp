// A window placed before the window manager framed it is placed again once its real frame is known,
// and never by a frame the toolkit reports before then.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMoveEvent>
#include <QScreen>

#include "TessarilApp/AppKit/Window.hpp"

namespace tessaril::appkit {
namespace {

// The frame as a window manager reports it: the content with its title bar and borders around it; or,
// shown but not framed yet, a point at the content's top left (as Qt reports it on X11 for a window
// mapped again before the window manager framed it); or the platform's own.
class ScriptedFrameWindow final : public Window {
public:
    ScriptedFrameWindow() : Window({{1320, 760}, {1300, 700}, "window", true, false, QColor()}) {}

    std::optional<QMargins> frame;
    bool unframed = false;

    // A move as the platform reports one.
    void reportMove() {
        QMoveEvent event(pos(), pos());
        QCoreApplication::sendEvent(this, &event);
    }

protected:
    QRect reportedFrameGeometry() const override {
        if (unframed) return QRect(geometry().topLeft(), QSize(1, 1));
        return frame ? geometry().marginsAdded(*frame) : Window::reportedFrameGeometry();
    }
};

// A shown window's position is its frame's; a hidden one is placed by its content inside the frame it
// had, since the toolkit may know no frame when it shows it again (the off-screen platform always
// knows its own frame of 2, so the window manager's frame here is openbox's, as the toolkit does not
// know it).
TEST(WindowFrame, AWindowIsPlacedAgainByItsRealFrameAndNeverByOneNotThereYet) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_EQ(area, QRect(0, 0, 1920, 1200));
    const QMargins openbox(1, 20, 1, 5);
    const QMargins thicker(2, 30, 2, 6);
    ScriptedFrameWindow window;
    window.frame = openbox;
    window.center();
    window.show();
    window.hide();
    // Shown again after a close: the frame centred at (299, 207) and the content inside it; then
    // reported unframed until the window manager frames it again.
    window.center();
    const QRect placed(300, 227, 1320, 760);
    ASSERT_EQ(window.geometry(), placed);
    window.unframed = true;
    window.show();
    window.reportMove();
    EXPECT_EQ(window.geometry(), placed);
    EXPECT_EQ(window.minimumSize(), QSize(1300, 700));
    // Opened again meanwhile: placed with the frame it had last, still waiting for the real one.
    window.center();
    EXPECT_EQ(window.pos(), QPoint(299, 207));
    // Framed as before: nothing to do.
    window.unframed = false;
    window.reportMove();
    EXPECT_EQ(window.pos(), QPoint(299, 207));
    // Framed otherwise: placed again, that frame centred.
    window.frame = thicker;
    window.reportMove();
    EXPECT_EQ(window.pos(), QPoint(298, 202));
    EXPECT_EQ(window.size(), QSize(1320, 760));
}

// A platform that frames a window as it shows it, without moving it, gets it placed again then: the
// off-screen platform draws 2 around every window.
TEST(WindowFrame, AWindowFramedAsItShowsIsPlacedAgainWithItsFrame) {
    ScriptedFrameWindow window;
    window.center();
    ASSERT_EQ(window.pos(), QPoint(300, 220));
    window.show();
    EXPECT_EQ(window.frameGeometry(), QRect(298, 218, 1324, 764));
}

} // namespace
} // namespace tessaril::appkit
