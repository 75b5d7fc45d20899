#pragma once

#include <stdexcept>

namespace tessaril::platform {

// A file that could not be written or replaced; `what()` is "cannot <action> <path>: <system reason>".
// The file it concerns is left as it was.
class FileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace tessaril::platform
