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
    // Shown again after a close: placed with the frame it had, then reported unframed until the window
    // manager frames it again.
    window.center();
    const QPoint placed(299, 207);
    ASSERT_EQ(window.pos(), placed);
    window.unframed = true;
    window.show();
    window.reportMove();
    EXPECT_EQ(window.pos(), placed);
    EXPECT_EQ(window.size(), QSize(1320, 760));
    EXPECT_EQ(window.minimumSize(), QSize(1300, 700));
    // Opened again meanwhile: placed with the frame it had last, still waiting for the real one.
    window.center();
    EXPECT_EQ(window.pos(), placed);
    // Framed as before: nothing to do.
    window.unframed = false;
    window.reportMove();
    EXPECT_EQ(window.pos(), placed);
    // Framed otherwise: placed again, the frame centred.
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
