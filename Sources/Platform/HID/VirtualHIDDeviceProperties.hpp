#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Platform/HID/HIDLocalizationCode.hpp"

namespace tessaril::platform {

// What a virtual HID device is created from: its report descriptor and how it names itself. Properties
// left absent take the system's defaults.
struct VirtualHIDDeviceProperties {
    std::vector<std::uint8_t> descriptor;
    std::optional<std::uint32_t> vendorID;
    std::optional<std::uint32_t> productID;
    std::optional<std::string> transport;
    std::optional<std::string> product;
    std::optional<std::string> manufacturer;
    std::optional<std::string> serialNumber;
    std::optional<std::string> uniqueID;
    std::optional<HIDLocalizationCode> localizationCode;

    friend bool operator==(const VirtualHIDDeviceProperties&, const VirtualHIDDeviceProperties&) = default;
};

} // namespace tessaril::platform
