#pragma once

#include <stdexcept>
#include <string>

namespace tessaril::platform {

// A change to the user defaults that could not be made durable. The change is not kept, so what the
// object answers stays what the file holds; `what()` names the file and the system's reason.
class UserDefaultsWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace tessaril::platform
