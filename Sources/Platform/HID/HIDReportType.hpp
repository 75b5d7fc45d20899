#pragma once

namespace tessaril::platform {

// The three kinds of HID report a host may ask a device for or send to it.
enum class HIDReportType { input, output, feature };

} // namespace tessaril::platform
