#pragma once

#include "TessarilCore/Support/MessageError.hpp"

namespace tessaril::platform {

// A virtual HID device refused a request (a report that could not be dispatched). Carries the
// system's reason; handed to the caller's completion as an exception.
class VirtualHIDError final : public MessageError {
public:
    using MessageError::MessageError;
    std::string typeName() const override { return "VirtualHIDError"; }
};

} // namespace tessaril::platform
