#include "Platform/HID/VirtualHIDDevice.hpp"

#include "Platform/HID/VirtualHIDDeviceService.hpp"

namespace tessaril::platform {

VirtualHIDDevice::VirtualHIDDevice(std::shared_ptr<VirtualHIDDeviceService> service, std::uint64_t serial,
                                   VirtualHIDDeviceProperties properties)
    : service_(std::move(service)), serial_(serial), properties_(std::move(properties)) {}

VirtualHIDDevice::~VirtualHIDDevice() = default;

void VirtualHIDDevice::activate(std::shared_ptr<VirtualHIDDeviceDelegate> delegate, ActivationCompletion completion) {
    service_->activate(weak_from_this(), std::move(delegate), std::move(completion));
}

void VirtualHIDDevice::dispatchInputReport(std::vector<std::uint8_t> report, std::uint64_t timestampNanoseconds,
                                           DispatchCompletion completion) {
    service_->dispatch(*this, std::move(report), timestampNanoseconds, std::move(completion));
}

std::vector<std::uint8_t> VirtualHIDDevice::requestGetReport(HIDReportType type, std::uint8_t reportID, int maxSize) {
    const auto answering = delegate();
    if (!answering) return {};
    return answering->handleGetReport(type, reportID, maxSize);
}

void VirtualHIDDevice::requestSetReport(HIDReportType type, std::uint8_t reportID, std::span<const std::uint8_t> data) {
    if (const auto answering = delegate()) answering->handleSetReport(type, reportID, data);
}

void VirtualHIDDevice::markActive(std::shared_ptr<VirtualHIDDeviceDelegate> delegate) {
    std::lock_guard lock(mutex_);
    delegate_ = std::move(delegate);
    active_.store(true);
}

std::shared_ptr<VirtualHIDDeviceDelegate> VirtualHIDDevice::delegate() const {
    std::lock_guard lock(mutex_);
    return active_.load() ? delegate_ : nullptr;
}

} // namespace tessaril::platform
