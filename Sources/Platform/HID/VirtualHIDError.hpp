#pragma once

#include <stdexcept>
#include <string>

namespace tessaril::platform {

// A virtual HID device refused a request (a report that could not be dispatched). Carries the
// system's reason; thrown into the caller's completion as an exception.
class VirtualHIDError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace tessaril::platform
