#pragma once

#include "TessarilCore/Support/MessageError.hpp"

namespace tessaril::platform {

// A key, text or suite name the user defaults refuse (not UTF-8, not a plain file name); nothing is
// read or changed. A fault of the caller, never of the stored data.
class UserDefaultsArgumentError final : public MessageError {
public:
    using MessageError::MessageError;
    std::string typeName() const override { return "UserDefaultsArgumentError"; }
};

} // namespace tessaril::platform
