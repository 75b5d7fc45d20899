#pragma once

#include "TessarilCore/Support/MessageError.hpp"

namespace tessaril {

// A failure of the file system, of the user defaults or of encoding that the settings store passes on
// as it came: the description is the system's own reason (with the file it concerns). A value, made
// and thrown on the main thread.
class TessarilSettingsStoreSystemError final : public MessageError {
public:
    using MessageError::MessageError;

    std::string typeName() const override { return "TessarilSettingsStoreSystemError"; }

    friend bool operator==(const TessarilSettingsStoreSystemError& lhs, const TessarilSettingsStoreSystemError& rhs) {
        return lhs.description() == rhs.description();
    }
};

} // namespace tessaril
