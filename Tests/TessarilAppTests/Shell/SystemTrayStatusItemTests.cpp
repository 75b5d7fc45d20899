// The status item in the desktop's tray: one that shows before any tray exists waits for a tray's
// announcement and then shows itself in it; the announcement is a manager's client message. The icon's
// place is known once its tray has placed it.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QWidget>
#include <xcb/xcb.h>

#include "TessarilApp/Shell/SystemTrayArrival.hpp"
#include "TessarilApp/Shell/SystemTrayIconWindow.hpp"
#include "TessarilApp/Shell/SystemTrayStatusItem.hpp"

using namespace tessaril;

TEST(SystemTrayStatusItem, AnItemShownWithoutATrayShowsItselfInTheFirstTrayThatAnnouncesItself) {
    bool trayExists = false;
    SystemTrayStatusItem item([&trayExists] { return trayExists; });

    struct Step {
        std::string what;
        std::function<void()> action;
        bool hasButton;
        bool isWaitingForTray;
    };
    const std::vector<Step> steps{
        {"shown with no tray", [&item] { item.setVisible(true); }, false, true},
        {"another manager announced itself", [&item] { item.lookForTray(); }, false, true},
        {"a tray started and announced itself", [&] {
             trayExists = true;
             item.lookForTray();
         }, true, false},
        {"a later announcement", [&item] { item.lookForTray(); }, true, false},
        {"hidden and shown again with the tray there", [&item] {
             item.setVisible(false);
             item.setVisible(true);
         }, true, false},
        {"the tray gone, hidden and shown again", [&] {
             trayExists = false;
             item.setVisible(false);
             item.setVisible(true);
         }, false, true},
        {"hidden while waiting", [&item] { item.setVisible(false); }, false, false},
        {"a tray announced while hidden", [&] {
             trayExists = true;
             item.lookForTray();
         }, true, false},
    };
    for (const auto& step : steps) {
        step.action();
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(item.hasButton(), step.hasButton) << step.what;
        EXPECT_EQ(item.isWaitingForTray(), step.isWaitingForTray) << step.what;
    }
}

// Qt gives an icon's window the geometry it was made with, at the origin, until it hears that a tray
// embedded it: that tells nothing, unless the tray really holds the icon there.
TEST(SystemTrayIconWindow, AGeometryTellsTheIconsPlaceOnlyWhenNotEmptyAndNotTheOneBeforeTheTrayPlacedIt) {
    struct Case {
        const char* what;
        QRect geometry;
        bool heldAtOrigin;
        std::optional<QRect> place;
        int questions; // how often the server is asked whether a tray holds the icon at the origin
    };
    const Case cases[] = {
        {"no geometry (a tray reached over D-Bus)", QRect(), true, std::nullopt, 0},
        {"empty at the origin", QRect(0, 0, 0, 0), true, std::nullopt, 0},
        {"no height", QRect(40, 1055, 22, 0), true, std::nullopt, 0},
        {"at the origin, not yet placed", QRect(0, 0, 22, 22), false, std::nullopt, 1},
        {"at the origin, held there by a tray", QRect(0, 0, 22, 24), true, QRect(0, 0, 22, 24), 1},
        {"placed at the bottom left", QRect(1, 1055, 22, 24), false, QRect(1, 1055, 22, 24), 0},
        {"placed on the top edge", QRect(300, 0, 22, 24), false, QRect(300, 0, 22, 24), 0},
        {"placed on the left edge", QRect(0, 300, 22, 24), false, QRect(0, 300, 22, 24), 0},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        int questions = 0;
        EXPECT_EQ(SystemTrayIconWindow::placedGeometry(test.geometry,
                                                       [&] {
                                                           ++questions;
                                                           return test.heldAtOrigin;
                                                       }),
                  test.place);
        EXPECT_EQ(questions, test.questions);
    }
}

// The watch follows the icon window made after the icon was shown, and tells of its moves and size
// changes only.
TEST(SystemTrayIconWindow, TheWatchFollowsTheIconsNewWindowAndTellsItsMovesAndSizeChanges) {
    int moves = 0;
    SystemTrayIconWindow watch([&moves] { ++moves; });
    // Shown, as Qt shows its icon windows: a hidden window's moves wait until it shows.
    const auto shownWindow = [](const char* name) {
        auto window = std::make_unique<QWidget>();
        window->setObjectName(name);
        window->show();
        return window;
    };
    const auto before = SystemTrayIconWindow::iconWindows();
    auto other = shownWindow("another window");
    auto first = shownWindow("QSystemTrayIconSys");
    watch.watchNewWindow(before);
    ASSERT_EQ(watch.window(), first.get());
    EXPECT_FALSE(watch.isHeldAtOrigin()); // no X server here

    struct Step {
        const char* what;
        std::function<void()> action;
        int moves;
    };
    const std::vector<Step> steps{
        {"moved", [&] { first->move(1, 1055); }, 1},
        {"resized", [&] { first->resize(22, 24); }, 2},
        {"retitled", [&] { first->setWindowTitle("icon"); }, 2},
        {"another window moved", [&] { other->move(5, 5); }, 2},
    };
    for (const auto& step : steps) {
        step.action();
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(moves, step.moves) << step.what;
    }

    // Shown again: the window made now is the icon's; the old one is no longer heard.
    const auto beforeSecond = SystemTrayIconWindow::iconWindows();
    auto second = shownWindow("QSystemTrayIconSys");
    watch.watchNewWindow(beforeSecond);
    ASSERT_EQ(watch.window(), second.get());
    first->move(2, 2);
    EXPECT_EQ(moves, 2);
    second->move(3, 3);
    EXPECT_EQ(moves, 3);

    // Nothing new: the window it has is kept while it lasts.
    watch.watchNewWindow(SystemTrayIconWindow::iconWindows());
    EXPECT_EQ(watch.window(), second.get());

    // Among icon windows of other icons, whichever order Qt lists them in, the one made last is watched.
    auto third = shownWindow("QSystemTrayIconSys");
    for (QWidget* made : {first.get(), second.get(), third.get()}) {
        std::vector<QPointer<QWidget>> others;
        for (const auto& window : SystemTrayIconWindow::iconWindows()) {
            if (window != made) others.push_back(window);
        }
        watch.watchNewWindow(others);
        EXPECT_EQ(watch.window(), made);
    }
    // The watched window gone, none is watched.
    third.reset();
    EXPECT_EQ(watch.window(), nullptr);
    EXPECT_FALSE(watch.isHeldAtOrigin());
}

TEST(SystemTrayArrival, OnlyAManagersClientMessageOnTheRootWindowAnnouncesATray) {
    constexpr std::uint32_t manager = 301;
    constexpr std::uint32_t root = 0x2a1;
    const auto clientMessage = [](std::uint8_t responseType, std::uint32_t type, std::uint32_t window) {
        xcb_client_message_event_t event;
        std::memset(&event, 0, sizeof event);
        event.response_type = responseType;
        event.format = 32;
        event.window = window;
        event.type = type;
        return event;
    };
    struct Case {
        std::string what;
        QByteArray eventType;
        xcb_client_message_event_t event;
        bool announces;
    };
    const std::vector<Case> cases{
        {"sent by the tray, as announcements are", "xcb_generic_event_t", clientMessage(XCB_CLIENT_MESSAGE | 0x80, manager, root), true},
        {"from the server", "xcb_generic_event_t", clientMessage(XCB_CLIENT_MESSAGE, manager, root), true},
        {"another client message", "xcb_generic_event_t", clientMessage(XCB_CLIENT_MESSAGE | 0x80, manager + 1, root), false},
        {"to another window", "xcb_generic_event_t", clientMessage(XCB_CLIENT_MESSAGE | 0x80, manager, root + 1), false},
        {"another event whose bytes match", "xcb_generic_event_t", clientMessage(XCB_PROPERTY_NOTIFY, manager, root), false},
        {"not an X event", "windows_generic_MSG", clientMessage(XCB_CLIENT_MESSAGE, manager, root), false},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(SystemTrayArrival::isManagerAnnouncement(test.eventType, &test.event, manager, root), test.announces) << test.what;
    }
}
