#pragma once

#include "TessarilCore/Support/MessageError.hpp"

namespace tessaril::platform {

// The login item could not be registered or unregistered; the description is the reason, naming the
// file concerned. Nothing was changed.
class LoginItemError final : public MessageError {
public:
    using MessageError::MessageError;
    std::string typeName() const override { return "LoginItemError"; }
};

} // namespace tessaril::platform
