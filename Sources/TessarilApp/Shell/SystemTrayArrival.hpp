#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <QAbstractNativeEventFilter>
#include <QObject>

struct xcb_connection_t;

namespace tessaril {

// Tells when a system tray may have appeared, without polling: on X11 a tray that starts announces
// itself to every client with a MANAGER client message on the root window (as every selection manager
// does), which arrives here as an event of Qt's own connection. Elsewhere it never tells. Main thread;
// made after the Qt application.
class SystemTrayArrival final : private QAbstractNativeEventFilter {
public:
    // `arrived` runs from the event loop after the announcement, never inside Qt's event handling.
    explicit SystemTrayArrival(std::function<void()> arrived);
    ~SystemTrayArrival() override;
    SystemTrayArrival(const SystemTrayArrival&) = delete;
    SystemTrayArrival& operator=(const SystemTrayArrival&) = delete;

    // Whether `message` (an event of type `eventType`, as Qt's native event filters get it) is a
    // manager's announcement on `rootWindow`, sent by the server or by a client.
    static bool isManagerAnnouncement(const QByteArray& eventType, const void* message, std::uint32_t managerAtom,
                                      std::uint32_t rootWindow);

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    std::function<void()> arrived_;
    xcb_connection_t* connection_ = nullptr;
    std::uint32_t rootWindow_ = 0;
    std::uint32_t managerAtom_ = 0;
    // Deferred work goes with the watch.
    std::unique_ptr<QObject> context_ = std::make_unique<QObject>();
};

} // namespace tessaril
