#pragma once

#include "TessarilCore/Support/MessageError.hpp"

namespace tessaril::platform {

// A file that could not be written or replaced; the description is "cannot <action> <path>: <system
// reason>". The file it concerns is left as it was.
class FileWriteError final : public MessageError {
public:
    using MessageError::MessageError;
    std::string typeName() const override { return "FileWriteError"; }
};

} // namespace tessaril::platform
