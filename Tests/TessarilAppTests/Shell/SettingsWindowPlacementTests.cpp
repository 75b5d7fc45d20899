// Every way the settings window comes up places it inside its screen's available area, shrunk with its
// minimum size where the screen is small: when the window is made then, and when it shows again after
// a close, wherever and however large it was left. ctest runs this file on the tests' desktop screen
// and again on a 1024 × 600 one.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QScreen>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Window.hpp"
#include "TessarilAppTests/Shell/AppDelegateHarness.hpp"

namespace tessaril {
namespace {

using shell_testing::AppDelegateHarness;

// Where the window goes on each screen the tests run on; the off-screen platform frames a window with 2
// on every side as it shows it.
struct Placement {
    QSize screen;
    QPoint origin;
    QSize size;
    QSize minimum;
};
const std::vector<Placement> placements = {
    {{1920, 1200}, {298, 218}, {1320, 760}, {1300, 700}},
    {{1024, 600}, {0, 0}, {1020, 596}, {1020, 596}},
};

void clickGuideButton(AppDelegate& delegate, const std::string& title) {
    QWidget* guide = delegate.onboardingPopover.data();
    ASSERT_NE(guide, nullptr);
    for (auto* button : guide->findChildren<appkit::Button*>()) {
        if (button->title() == title) return button->click();
    }
    FAIL() << "the guide has no " << title;
}

TEST(SettingsWindowPlacement, EveryWayTheWindowComesUpPlacesItInsideTheScreensAvailableArea) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const auto expected = std::find_if(placements.begin(), placements.end(),
                                       [&area](const Placement& each) { return each.screen == area.size(); });
    ASSERT_NE(expected, placements.end()) << "no placement known for a screen of " << area.width() << " × " << area.height();
    struct Path {
        const char* name;
        std::function<void(AppDelegateHarness&)> show;
    };
    const std::vector<Path> paths = {
        {"the status menu", [](AppDelegateHarness& harness) { EXPECT_TRUE(harness.statusItem().choose("openSettingsWindow")); }},
        {"a second launch", [](AppDelegateHarness& harness) { harness.application.reopen(); }},
        {"the guide's 詳細設定", [](AppDelegateHarness& harness) {
             harness.app().showOnboardingGuide();
             clickGuideButton(harness.app(), "詳細設定");
         }},
    };
    for (const Path& path : paths) {
        for (const bool closedBefore : {false, true}) {
            SCOPED_TRACE(std::string(path.name) + (closedBefore ? ", after a close" : ", first time"));
            AppDelegateHarness harness;
            harness.launch();
            if (closedBefore) {
                // Left at its full size, partly off the screen, then closed.
                harness.app().openSettingsWindow();
                QWidget* left = harness.app().settingsWindow.data();
                left->setMinimumSize(1300, 700);
                left->resize(1320, 760);
                left->move(area.right() - 100, area.bottom() - 100);
                qobject_cast<appkit::Window*>(left)->performClose();
                ASSERT_FALSE(left->isVisible());
            }
            path.show(harness);
            QWidget* window = harness.app().settingsWindow.data();
            ASSERT_NE(window, nullptr);
            EXPECT_TRUE(window->isVisible());
            EXPECT_EQ(window->pos(), expected->origin);
            EXPECT_EQ(window->size(), expected->size);
            EXPECT_EQ(window->minimumSize(), expected->minimum);
            EXPECT_TRUE(area.contains(window->frameGeometry()));
        }
    }
}

} // namespace
} // namespace tessaril
