#pragma once

#include <cstdint>

struct xcb_connection_t;

namespace tessaril {

// Adds `events` (an X event mask) to those this client already asks for on `rootWindow`: Qt and the
// other listeners of the same connection share one mask there. Main thread.
void addRootWindowEvents(xcb_connection_t* connection, std::uint32_t rootWindow, std::uint32_t events);

} // namespace tessaril
