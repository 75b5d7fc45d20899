#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Dispatch/Executor.hpp"
#include "Platform/HID/HIDInputReport.hpp"
#include "Platform/HID/VirtualHIDDevice.hpp"
#include "Platform/HID/VirtualHIDDeviceProperties.hpp"

namespace tessaril::platform {

// The system's virtual-HID service, simulated: creates devices, delivers their input reports to
// listeners (the simulated session turns keyboard reports into key events) and records everything.
// Creation and dispatch can be told to fail. Completions run on the executor given at creation, which
// must outlive the service and its devices. Create with std::make_shared. Any thread; one lock, never
// held while a listener, delegate or completion runs.
class VirtualHIDDeviceService : public std::enable_shared_from_this<VirtualHIDDeviceService> {
public:
    using ReportListener = std::function<void(const HIDInputReport&)>;

    // One call of `dispatchInputReport`, delivered or refused.
    struct DispatchAttempt {
        HIDInputReport report;
        std::optional<std::string> failure;
        friend bool operator==(const DispatchAttempt&, const DispatchAttempt&) = default;
    };

    explicit VirtualHIDDeviceService(Executor& completionExecutor);
    VirtualHIDDeviceService(const VirtualHIDDeviceService&) = delete;
    VirtualHIDDeviceService& operator=(const VirtualHIDDeviceService&) = delete;

    // A new device, or null when the system refuses it (see `setCreationFails`).
    std::shared_ptr<VirtualHIDDevice> createDevice(VirtualHIDDeviceProperties properties);

    // Control.
    void setCreationFails(bool fails);
    // How long activation takes before its completion runs (zero by default).
    void setActivationDelay(std::chrono::nanoseconds delay);
    // Refuses the dispatch attempt with this number (0 for the first attempt of the service's life).
    void failDispatchAttempt(std::size_t attempt, std::string reason);

    // Observation.
    std::size_t addReportListener(ReportListener listener);
    void removeReportListener(std::size_t token);
    std::size_t creationAttempts() const;
    std::vector<VirtualHIDDeviceProperties> createdDevices() const;
    std::vector<DispatchAttempt> dispatchAttempts() const;
    // The reports delivered, in order.
    std::vector<HIDInputReport> reports() const;
    // The devices that exist and are active, in creation order.
    std::vector<std::shared_ptr<VirtualHIDDevice>> activeDevices() const;

private:
    friend class VirtualHIDDevice;
    void activate(std::weak_ptr<VirtualHIDDevice> device, std::shared_ptr<VirtualHIDDeviceDelegate> delegate,
                  VirtualHIDDevice::ActivationCompletion completion);
    void dispatch(const VirtualHIDDevice& device, std::vector<std::uint8_t> bytes, std::uint64_t timestamp,
                  VirtualHIDDevice::DispatchCompletion completion);

    Executor& completionExecutor_;
    mutable std::mutex mutex_;
    bool creationFails_ = false;
    std::chrono::nanoseconds activationDelay_{0};
    std::map<std::size_t, std::string> dispatchFailures_;
    std::size_t creationAttempts_ = 0;
    std::vector<VirtualHIDDeviceProperties> createdDevices_;
    std::vector<std::weak_ptr<VirtualHIDDevice>> devices_;
    std::vector<DispatchAttempt> dispatchAttempts_;
    std::map<std::size_t, std::shared_ptr<const ReportListener>> listeners_;
    std::size_t nextListenerToken_ = 1;
};

} // namespace tessaril::platform
