#include <gtest/gtest.h>

#include <QApplication>

#include "TessarilApp/Shell/ToolkitTranslation.hpp"
#include "WindowDoubles/OffscreenDesktopScreen.hpp"

// The application's tests drive real widgets: one QApplication for the whole run, off-screen on a
// desktop-sized screen unless the environment names another platform, with Qt's own texts in Japanese
// as the application has them.
int main(int argc, char** argv) {
    const tessaril::replay::OffscreenDesktopScreen screen;
    if (const QByteArray platform = qgetenv("QT_QPA_PLATFORM"); platform.isEmpty() || platform == "offscreen") {
        qputenv("QT_QPA_PLATFORM", screen.platform());
    }
    QApplication application(argc, argv);
    tessaril::installToolkitTranslation();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
