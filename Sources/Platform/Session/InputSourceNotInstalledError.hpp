#pragma once

#include "TessarilCore/Support/MessageError.hpp"

namespace tessaril::platform {

// A session configuration names an input source (as the current one or as a LANG key's target) that
// is not among its installed sources.
class InputSourceNotInstalledError final : public MessageError {
public:
    using MessageError::MessageError;
    std::string typeName() const override { return "InputSourceNotInstalledError"; }
};

} // namespace tessaril::platform
