#include "Platform/HID/VirtualHIDDeviceService.hpp"

#include <gtest/gtest.h>

#include "Platform/Clock/VirtualUptimeClock.hpp"
#include "Platform/Dispatch/VirtualScheduler.hpp"
#include "Platform/HID/VirtualHIDError.hpp"

namespace tessaril::platform {
namespace {

using namespace std::chrono_literals;

// Answers get-report with the report type, identifier and size it was asked for, and remembers set-reports.
class EchoDelegate final : public VirtualHIDDeviceDelegate {
public:
    void handleSetReport(HIDReportType, std::uint8_t reportID, std::span<const std::uint8_t> data) override {
        setReports.emplace_back(reportID, std::vector<std::uint8_t>(data.begin(), data.end()));
    }
    std::vector<std::uint8_t> handleGetReport(HIDReportType type, std::uint8_t reportID, int maxSize) override {
        return {static_cast<std::uint8_t>(type), reportID, static_cast<std::uint8_t>(maxSize)};
    }
    std::vector<std::pair<std::uint8_t, std::vector<std::uint8_t>>> setReports;
};

std::string failureText(std::exception_ptr error) {
    if (!error) return "success";
    try {
        std::rethrow_exception(error);
    } catch (const VirtualHIDError& failure) {
        return failure.what();
    } catch (...) {
        return "unexpected error type";
    }
}

class VirtualHIDDeviceServiceTests : public ::testing::Test {
protected:
    VirtualUptimeClock clock;
    VirtualScheduler scheduler{clock};
    std::shared_ptr<VirtualHIDDeviceService> service = std::make_shared<VirtualHIDDeviceService>(scheduler);

    VirtualHIDDeviceProperties keyboardProperties() const {
        VirtualHIDDeviceProperties properties;
        properties.descriptor = {0x05, 0x01};
        properties.vendorID = 0x5453;
        properties.uniqueID = "test.keyboard";
        return properties;
    }
};

TEST_F(VirtualHIDDeviceServiceTests, creationCanBeRefusedAndIsCounted) {
    service->setCreationFails(true);
    EXPECT_EQ(service->createDevice(keyboardProperties()), nullptr);
    service->setCreationFails(false);
    const auto device = service->createDevice(keyboardProperties());
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->serial(), 1u);
    EXPECT_EQ(service->creationAttempts(), 2u);
    EXPECT_EQ(service->createdDevices(), std::vector<VirtualHIDDeviceProperties>{keyboardProperties()});
}

TEST_F(VirtualHIDDeviceServiceTests, activationCompletesAfterItsDelayOnTheCompletionExecutor) {
    service->setActivationDelay(5ms);
    const auto device = service->createDevice(keyboardProperties());
    bool activated = false;
    device->activate(std::make_shared<EchoDelegate>(), [&] { activated = true; });
    scheduler.advanceBy(4);
    EXPECT_FALSE(activated);
    EXPECT_FALSE(device->isActive());
    EXPECT_TRUE(service->activeDevices().empty());
    scheduler.advanceBy(1);
    EXPECT_TRUE(activated);
    EXPECT_TRUE(device->isActive());
    EXPECT_EQ(service->activeDevices(), std::vector<std::shared_ptr<VirtualHIDDevice>>{device});
}

TEST_F(VirtualHIDDeviceServiceTests, reportsReachListenersAndFailuresReachTheCaller) {
    auto device = service->createDevice(keyboardProperties());
    std::vector<std::string> outcomes;
    const auto record = [&](std::exception_ptr error) { outcomes.push_back(failureText(error)); };
    std::vector<HIDInputReport> heard;
    const auto token = service->addReportListener([&](const HIDInputReport& report) { heard.push_back(report); });

    device->dispatchInputReport({1}, 10, record); // attempt 0: not active yet
    device->activate(std::make_shared<EchoDelegate>(), {});
    scheduler.runUntilIdle();
    service->failDispatchAttempt(2, "pipe broken");
    device->dispatchInputReport({2}, 20, record); // attempt 1
    device->dispatchInputReport({3}, 30, record); // attempt 2: scripted failure
    service->removeReportListener(token);
    device->dispatchInputReport({4}, 40, record); // attempt 3: delivered, nobody listens
    EXPECT_TRUE(outcomes.size() == 1) << "completions wait for the completion executor";
    scheduler.runUntilIdle();

    EXPECT_EQ(outcomes, (std::vector<std::string>{"device is not active", "success", "pipe broken", "success"}));
    const HIDInputReport second{1, "test.keyboard", {2}, 20};
    const HIDInputReport fourth{1, "test.keyboard", {4}, 40};
    EXPECT_EQ(heard, std::vector<HIDInputReport>{second});
    EXPECT_EQ(service->reports(), (std::vector<HIDInputReport>{second, fourth}));
    ASSERT_EQ(service->dispatchAttempts().size(), 4u);
    EXPECT_EQ(service->dispatchAttempts()[2].failure, "pipe broken");
    EXPECT_EQ(service->dispatchAttempts()[2].report.bytes, std::vector<std::uint8_t>{3});
}

TEST_F(VirtualHIDDeviceServiceTests, hostRequestsAreAnsweredByTheDelegateOnlyWhileActive) {
    auto device = service->createDevice(keyboardProperties());
    auto delegate = std::make_shared<EchoDelegate>();
    const std::vector<std::uint8_t> leds{0x02};
    EXPECT_TRUE(device->requestGetReport(HIDReportType::input, 0, 8).empty());
    device->requestSetReport(HIDReportType::output, 0, leds);
    EXPECT_TRUE(delegate->setReports.empty());

    device->activate(delegate, {});
    scheduler.runUntilIdle();
    EXPECT_EQ(device->requestGetReport(HIDReportType::feature, 3, 8), (std::vector<std::uint8_t>{2, 3, 8}));
    device->requestSetReport(HIDReportType::output, 0, leds);
    ASSERT_EQ(delegate->setReports.size(), 1u);
    EXPECT_EQ(delegate->setReports[0].second, leds);

    device.reset();
    EXPECT_TRUE(service->activeDevices().empty()) << "a dropped device leaves the system";
}

} // namespace
} // namespace tessaril::platform
