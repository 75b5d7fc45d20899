#pragma once

#include "TessarilCore/Support/MessageError.hpp"

namespace tessaril::platform {

// Data that is not an RTF document: it does not start with "{\rtf" (white space aside).
class RTFReadError final : public MessageError {
public:
    RTFReadError() : MessageError("RTF 形式のデータではないため読み込めません。") {}
    std::string typeName() const override { return "RTFReadError"; }
};

} // namespace tessaril::platform
