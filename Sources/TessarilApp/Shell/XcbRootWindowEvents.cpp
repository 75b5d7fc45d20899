#include "TessarilApp/Shell/XcbRootWindowEvents.hpp"

#include <xcb/xcb.h>

#include "TessarilApp/Shell/XcbReply.hpp"

namespace tessaril {

void addRootWindowEvents(xcb_connection_t* connection, std::uint32_t rootWindow, std::uint32_t events) {
    XcbReply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, rootWindow), nullptr));
    const std::uint32_t mask = (attributes ? attributes->your_event_mask : 0) | events;
    xcb_change_window_attributes(connection, rootWindow, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
}

} // namespace tessaril
