#pragma once

#include <string>

#include "TessarilCore/Support/Error.hpp"

namespace tessaril {

// A failure of the file system, of the user defaults or of encoding that the settings store passes on
// as it came: the description is the system's own reason (with the file it concerns). A value, made
// and thrown on the main thread.
class TessarilSettingsStoreSystemError final : public Error {
public:
    explicit TessarilSettingsStoreSystemError(std::string reason) : reason_(std::move(reason)) {}

    std::string description() const override { return reason_; }
    std::string typeName() const override { return "TessarilSettingsStoreSystemError"; }

    friend bool operator==(const TessarilSettingsStoreSystemError& lhs, const TessarilSettingsStoreSystemError& rhs) {
        return lhs.reason_ == rhs.reason_;
    }

private:
    std::string reason_;
};

} // namespace tessaril
