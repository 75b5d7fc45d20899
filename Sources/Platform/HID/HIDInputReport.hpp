#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaril::platform {

// One input report as the system received it from a virtual device.
struct HIDInputReport {
    std::uint64_t deviceSerial = 0;      // the service's number for the device, from 1 in creation order
    std::optional<std::string> uniqueID; // the device's unique identifier property
    std::vector<std::uint8_t> bytes;
    std::uint64_t timestampNanoseconds = 0;

    friend bool operator==(const HIDInputReport&, const HIDInputReport&) = default;
};

} // namespace tessaril::platform
