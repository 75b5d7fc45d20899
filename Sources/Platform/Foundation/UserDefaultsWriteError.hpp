#pragma once

#include "TessarilCore/Support/MessageError.hpp"

namespace tessaril::platform {

// A change to the user defaults that could not be made durable. The change is not kept, so what the
// object answers stays what the file holds; the description names the file and the system's reason.
class UserDefaultsWriteError final : public MessageError {
public:
    using MessageError::MessageError;
    std::string typeName() const override { return "UserDefaultsWriteError"; }
};

} // namespace tessaril::platform
