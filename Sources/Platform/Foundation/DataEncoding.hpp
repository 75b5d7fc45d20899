#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaril::platform::data_encoding {

// Standard base64 with padding (RFC 4648, section 4).
std::string base64Encoded(std::span<const std::uint8_t> bytes);

// The bytes of standard padded base64 text, or none when the text is not exactly that.
std::optional<std::vector<std::uint8_t>> base64Decoded(std::string_view text);

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or code points above U+10FFFF).
bool isValidUTF8(std::span<const std::uint8_t> bytes);
bool isValidUTF8(std::string_view text);

} // namespace tessaril::platform::data_encoding
