#include "TessarilApp/Shell/SystemTrayArrival.hpp"

#include <cstring>

#include <QGuiApplication>
#include <QTimer>
#include <xcb/xcb.h>

#include "TessarilApp/Shell/XcbReply.hpp"
#include "TessarilApp/Shell/XcbRootWindowEvents.hpp"

namespace tessaril {

namespace {

constexpr const char* managerAtomName = "MANAGER";
// The high bit of an event's type marks one a client sent; a manager's announcement is one of those.
constexpr std::uint8_t sentEventBit = 0x80;

} // namespace

SystemTrayArrival::SystemTrayArrival(std::function<void()> arrived) : arrived_(std::move(arrived)) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return;
    xcb_connection_t* connection = x11->connection();
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    if (screens.rem == 0) return;
    XcbReply<xcb_intern_atom_reply_t> manager(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(managerAtomName)), managerAtomName),
        nullptr));
    if (!manager || manager->atom == XCB_ATOM_NONE) return;
    connection_ = connection;
    rootWindow_ = screens.data->root;
    managerAtom_ = manager->atom;
    // Announcements go to the clients that listen for structure changes of the root window.
    addRootWindowEvents(connection_, rootWindow_, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

SystemTrayArrival::~SystemTrayArrival() {
    if (connection_ && QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool SystemTrayArrival::isManagerAnnouncement(const QByteArray& eventType, const void* message, std::uint32_t managerAtom,
                                              std::uint32_t rootWindow) {
    if (eventType != "xcb_generic_event_t" || message == nullptr) return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~sentEventBit) != XCB_CLIENT_MESSAGE) return false;
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    return client->type == managerAtom && client->window == rootWindow;
}

bool SystemTrayArrival::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (isManagerAnnouncement(eventType, message, managerAtom_, rootWindow_)) {
        // Which selection it manages is not read here: any manager's arrival is rare, and the caller
        // looks for the tray itself, after Qt has seen the announcement too.
        QTimer::singleShot(0, context_.get(), [this] { arrived_(); });
    }
    return false;
}

} // namespace tessaril
