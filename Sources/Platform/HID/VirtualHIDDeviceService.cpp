#include "Platform/HID/VirtualHIDDeviceService.hpp"

#include "Platform/HID/VirtualHIDError.hpp"

namespace tessaril::platform {

VirtualHIDDeviceService::VirtualHIDDeviceService(Executor& completionExecutor)
    : completionExecutor_(completionExecutor) {}

std::shared_ptr<VirtualHIDDevice> VirtualHIDDeviceService::createDevice(VirtualHIDDeviceProperties properties) {
    std::lock_guard lock(mutex_);
    ++creationAttempts_;
    if (creationFails_) return nullptr;
    createdDevices_.push_back(properties);
    auto device = std::make_shared<VirtualHIDDevice>(shared_from_this(), createdDevices_.size(), std::move(properties));
    devices_.push_back(device);
    return device;
}

void VirtualHIDDeviceService::setCreationFails(bool fails) {
    std::lock_guard lock(mutex_);
    creationFails_ = fails;
}

void VirtualHIDDeviceService::setActivationDelay(std::chrono::nanoseconds delay) {
    std::lock_guard lock(mutex_);
    activationDelay_ = delay;
}

void VirtualHIDDeviceService::failDispatchAttempt(std::size_t attempt, std::string reason) {
    std::lock_guard lock(mutex_);
    dispatchFailures_[attempt] = std::move(reason);
}

std::size_t VirtualHIDDeviceService::addReportListener(ReportListener listener) {
    std::lock_guard lock(mutex_);
    const auto token = nextListenerToken_++;
    listeners_.emplace(token, std::make_shared<const ReportListener>(std::move(listener)));
    return token;
}

void VirtualHIDDeviceService::removeReportListener(std::size_t token) {
    std::lock_guard lock(mutex_);
    listeners_.erase(token);
}

std::size_t VirtualHIDDeviceService::creationAttempts() const {
    std::lock_guard lock(mutex_);
    return creationAttempts_;
}

std::vector<VirtualHIDDeviceProperties> VirtualHIDDeviceService::createdDevices() const {
    std::lock_guard lock(mutex_);
    return createdDevices_;
}

std::vector<VirtualHIDDeviceService::DispatchAttempt> VirtualHIDDeviceService::dispatchAttempts() const {
    std::lock_guard lock(mutex_);
    return dispatchAttempts_;
}

std::vector<HIDInputReport> VirtualHIDDeviceService::reports() const {
    std::lock_guard lock(mutex_);
    std::vector<HIDInputReport> delivered;
    for (const auto& attempt : dispatchAttempts_) {
        if (!attempt.failure) delivered.push_back(attempt.report);
    }
    return delivered;
}

std::vector<std::shared_ptr<VirtualHIDDevice>> VirtualHIDDeviceService::activeDevices() const {
    std::lock_guard lock(mutex_);
    std::vector<std::shared_ptr<VirtualHIDDevice>> active;
    for (const auto& weakDevice : devices_) {
        if (auto device = weakDevice.lock(); device && device->isActive()) active.push_back(std::move(device));
    }
    return active;
}

void VirtualHIDDeviceService::activate(std::weak_ptr<VirtualHIDDevice> device,
                                       std::shared_ptr<VirtualHIDDeviceDelegate> delegate,
                                       VirtualHIDDevice::ActivationCompletion completion) {
    std::chrono::nanoseconds delay;
    {
        std::lock_guard lock(mutex_);
        delay = activationDelay_;
    }
    completionExecutor_.postAfter(delay, [device = std::move(device), delegate = std::move(delegate),
                                          completion = std::move(completion)]() mutable {
        if (auto activated = device.lock()) activated->markActive(std::move(delegate));
        if (completion) completion();
    });
}

void VirtualHIDDeviceService::dispatch(const VirtualHIDDevice& device, std::vector<std::uint8_t> bytes,
                                       std::uint64_t timestamp, VirtualHIDDevice::DispatchCompletion completion) {
    DispatchAttempt attempt{HIDInputReport{device.serial(), device.properties().uniqueID, std::move(bytes), timestamp},
                            std::nullopt};
    std::vector<std::shared_ptr<const ReportListener>> listeners;
    {
        std::lock_guard lock(mutex_);
        if (const auto scripted = dispatchFailures_.find(dispatchAttempts_.size());
            scripted != dispatchFailures_.end()) {
            attempt.failure = scripted->second;
        } else if (!device.isActive()) {
            attempt.failure = "device is not active";
        }
        dispatchAttempts_.push_back(attempt);
        if (!attempt.failure) {
            for (const auto& [token, listener] : listeners_) listeners.push_back(listener);
        }
    }
    for (const auto& listener : listeners) (*listener)(attempt.report);
    std::exception_ptr error;
    if (attempt.failure) error = std::make_exception_ptr(VirtualHIDError(*attempt.failure));
    completionExecutor_.post([completion = std::move(completion), error] {
        if (completion) completion(error);
    });
}

} // namespace tessaril::platform
