#pragma once

#include <QByteArray>
#include <QSize>
#include <QTemporaryFile>

namespace tessaril::replay {

// The off-screen platform with one screen, by default of a common desktop monitor's size, so the
// settings window and its sheet open at their full size as on most desktops (the platform's own
// screen, 800 × 800, would shrink them); a smaller one shows the window as a small laptop's screen
// does. The screen is described in a file the platform reads when the application is made: make this
// first and keep it until then. Main thread.
class OffscreenDesktopScreen {
public:
    static constexpr int width = 1920;
    static constexpr int height = 1200;

    explicit OffscreenDesktopScreen(QSize size = {width, height});

    // The platform name to put in QT_QPA_PLATFORM; plain "offscreen" when the file could not be written.
    QByteArray platform() const { return platform_; }

private:
    QTemporaryFile file_;
    QByteArray platform_ = "offscreen";
};

} // namespace tessaril::replay
