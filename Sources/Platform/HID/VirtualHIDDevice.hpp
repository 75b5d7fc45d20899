#pragma once

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "Platform/HID/HIDReportType.hpp"
#include "Platform/HID/VirtualHIDDeviceDelegate.hpp"
#include "Platform/HID/VirtualHIDDeviceProperties.hpp"

namespace tessaril::platform {

class VirtualHIDDeviceService;

// A virtual HID device made by `VirtualHIDDeviceService::createDevice`. It exists while a reference is
// held; activation and report dispatch complete asynchronously on the service's completion executor.
// Any thread.
class VirtualHIDDevice : public std::enable_shared_from_this<VirtualHIDDevice> {
public:
    using ActivationCompletion = std::function<void()>;
    // Called with null on success, else with the VirtualHIDError that refused the report.
    using DispatchCompletion = std::function<void(std::exception_ptr error)>;

    VirtualHIDDevice(std::shared_ptr<VirtualHIDDeviceService> service, std::uint64_t serial,
                     VirtualHIDDeviceProperties properties);
    ~VirtualHIDDevice();
    VirtualHIDDevice(const VirtualHIDDevice&) = delete;
    VirtualHIDDevice& operator=(const VirtualHIDDevice&) = delete;

    const VirtualHIDDeviceProperties& properties() const { return properties_; }
    std::uint64_t serial() const { return serial_; }
    bool isActive() const { return active_.load(); }

    // Makes the device known to the system; the delegate answers the host's requests from then on.
    void activate(std::shared_ptr<VirtualHIDDeviceDelegate> delegate, ActivationCompletion completion);
    // Sends one input report stamped with an uptime instant. Fails on a device that is not active.
    void dispatchInputReport(std::vector<std::uint8_t> report, std::uint64_t timestampNanoseconds,
                             DispatchCompletion completion);

    // The host's side: ask the device for a report or send it one, answered by the delegate. On a device
    // that is not active, get-report answers nothing and set-report is dropped.
    std::vector<std::uint8_t> requestGetReport(HIDReportType type, std::uint8_t reportID, int maxSize);
    void requestSetReport(HIDReportType type, std::uint8_t reportID, std::span<const std::uint8_t> data);

private:
    friend class VirtualHIDDeviceService;
    void markActive(std::shared_ptr<VirtualHIDDeviceDelegate> delegate);
    std::shared_ptr<VirtualHIDDeviceDelegate> delegate() const;

    std::shared_ptr<VirtualHIDDeviceService> service_;
    const std::uint64_t serial_;
    const VirtualHIDDeviceProperties properties_;
    std::atomic<bool> active_{false};
    mutable std::mutex mutex_;
    std::shared_ptr<VirtualHIDDeviceDelegate> delegate_;
};

} // namespace tessaril::platform
