#pragma once

#include "TessarilCore/Support/MessageError.hpp"

namespace tessaril {

// An ICU service the Unicode module relies on could not be opened, or one of its operations failed.
class ICUError final : public MessageError {
public:
    using MessageError::MessageError;
    std::string typeName() const override { return "ICUError"; }
};

} // namespace tessaril
