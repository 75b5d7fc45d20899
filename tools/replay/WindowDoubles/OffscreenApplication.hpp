#pragma once

#include <array>

#include <QApplication>

#include "WindowDoubles/OffscreenDesktopScreen.hpp"

namespace tessaril::replay {

// The toolkit's application for the window tools: off screen on a desktop-sized screen (or one of the
// size asked for) whatever display there is, so they need none and every run draws alike, and Qt's own
// texts in Japanese as the application has them. The toolkit's notes about the headless platform
// ("does not support raise()") are not the tools' output; standard error keeps only critical
// messages. Main thread.
class OffscreenApplication {
public:
    explicit OffscreenApplication(const char* name,
                                  QSize screen = {OffscreenDesktopScreen::width, OffscreenDesktopScreen::height});

private:
    OffscreenDesktopScreen screen_;
    int argc_ = 1;
    std::array<char*, 2> argv_;
    QApplication application_;
};

} // namespace tessaril::replay
