#pragma once

#include "TessarilCore/Support/Error.hpp"

namespace tessaril::platform {

// Data that is not an RTF document: it does not start with "{\rtf" (white space aside).
class RTFReadError : public Error {
public:
    std::string description() const override;
    std::string typeName() const override { return "RTFReadError"; }
};

} // namespace tessaril::platform
