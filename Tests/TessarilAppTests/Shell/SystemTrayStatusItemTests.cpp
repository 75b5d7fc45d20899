// The status item in the desktop's tray: one that shows before any tray exists waits for a tray's
// announcement and then shows itself in it; the announcement is a manager's client message.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <xcb/xcb.h>

#include "TessarilApp/Shell/SystemTrayArrival.hpp"
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
