#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "Platform/HID/HIDReportType.hpp"

namespace tessaril::platform {

// Answers the host's requests to a virtual HID device. Called on whatever thread the host asks from;
// implementations must be safe for that.
class VirtualHIDDeviceDelegate {
public:
    virtual ~VirtualHIDDeviceDelegate() = default;
    // The host sends a report (output or feature) to the device.
    virtual void handleSetReport(HIDReportType type, std::uint8_t reportID, std::span<const std::uint8_t> data) = 0;
    // The host asks for a report of at most `maxSize` bytes.
    virtual std::vector<std::uint8_t> handleGetReport(HIDReportType type, std::uint8_t reportID, int maxSize) = 0;
};

} // namespace tessaril::platform
