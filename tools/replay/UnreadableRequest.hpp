#pragma once

#include "TessarilCore/Support/MessageError.hpp"

namespace tessaril::replay {

// A request the tool cannot read: exit 2 and the description on one line of standard error. Not a
// failure of the system, which a subcommand reports with the system's own error (exit 1).
class UnreadableRequest final : public MessageError {
public:
    using MessageError::MessageError;
    std::string typeName() const override { return "UnreadableRequest"; }
};

} // namespace tessaril::replay
