#pragma once

#include <cstdint>

namespace tessaril::platform {

// The country code a HID device reports for its key labels (the USB HID country codes).
enum class HIDLocalizationCode : std::uint8_t { notLocalized = 0, japan = 15 };

} // namespace tessaril::platform
