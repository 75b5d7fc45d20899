#pragma once

#include "TessarilCore/Support/MessageError.hpp"

namespace tessaril::platform {

// The simulated session's event taps did not answer a hardware event within the session's bound: the
// application's tap thread is stuck.
class TapStalledError final : public MessageError {
public:
    using MessageError::MessageError;
    std::string typeName() const override { return "TapStalledError"; }
};

} // namespace tessaril::platform
