#include "TessarilMac/InputMode/KanaModeKeyboard.hpp"

#include <gtest/gtest.h>

#include <future>

#include "Platform/Clock/SteadyUptimeClock.hpp"
#include "Platform/Clock/VirtualUptimeClock.hpp"
#include "Platform/Dispatch/SerialExecutor.hpp"
#include "Platform/Dispatch/VirtualScheduler.hpp"
#include "Platform/HID/VirtualHIDError.hpp"
#include "Platform/Logging/RecordingLogSink.hpp"
#include "TessarilMac/Pipeline/InputDispatchErrorTypeName.hpp"

namespace tessaril {
namespace {

using namespace std::chrono_literals;
using platform::HIDInputReport;
using Bytes = std::vector<std::uint8_t>;

const Bytes lang2Down{0, 0, 0x91, 0, 0, 0, 0, 0};
const Bytes lang1Down{0, 0, 0x90, 0, 0, 0, 0, 0};
const Bytes allUp(8, 0);
constexpr std::uint64_t millisecond = 1'000'000;

// The outcome of one completion: "success", or the type name the status text shows, a full stop and
// the keyboard error's description or the HID error's text.
std::string outcome(std::exception_ptr error) {
    if (!error) return "success";
    std::string text = inputDispatchErrorTypeName(error);
    try {
        std::rethrow_exception(error);
    } catch (const KanaModeKeyboard::KeyboardError& failure) {
        text += "." + failure.description();
    } catch (const platform::VirtualHIDError& failure) {
        text += ": ";
        text += failure.what();
    } catch (...) {
        text += " of an unexpected type";
    }
    return text;
}

class KanaModeKeyboardTests : public ::testing::Test {
protected:
    platform::VirtualUptimeClock clock{1000 * millisecond};
    platform::VirtualScheduler scheduler{clock};
    std::shared_ptr<platform::Executor> executor = scheduler.makeSerialExecutor("kana-keyboard");
    std::shared_ptr<platform::VirtualHIDDeviceService> service =
        std::make_shared<platform::VirtualHIDDeviceService>(scheduler);
    std::shared_ptr<platform::RecordingLogSink> log = std::make_shared<platform::RecordingLogSink>();
    KanaModeKeyboard keyboard{service, *executor, clock, log};
    std::vector<std::string> outcomes;

    KanaModeKeyboard::Completion recordOutcome() {
        return [this](std::exception_ptr error) { outcomes.push_back(outcome(error)); };
    }
    std::vector<Bytes> attemptedBytes() const {
        std::vector<Bytes> bytes;
        for (const auto& attempt : service->dispatchAttempts()) bytes.push_back(attempt.report.bytes);
        return bytes;
    }
    std::vector<std::string> logLines() const { return log->messages("input-mode"); }
};

TEST_F(KanaModeKeyboardTests, aTapPressesTheModeKeyForTwentyMillisecondsThenReleasesIt) {
    struct Case {
        InputMode mode;
        Bytes pressed;
    };
    for (const auto& [mode, pressed] : {Case{InputMode::eisu, lang2Down}, Case{InputMode::kana, lang1Down}}) {
        SCOPED_TRACE(rawValue(mode));
        const auto before = service->reports().size();
        const auto start = clock.uptimeNanoseconds();
        keyboard.tap(mode, recordOutcome());
        scheduler.runUntilIdle();
        scheduler.advanceBy(19);
        ASSERT_EQ(service->reports().size(), before + 1) << "the key is still held";
        scheduler.advanceBy(1);
        const auto reports = service->reports();
        ASSERT_EQ(reports.size(), before + 2);
        EXPECT_EQ(reports[before], (HIDInputReport{1, "com.tessaril.kana-keyboard", pressed, start}));
        EXPECT_EQ(reports[before + 1], (HIDInputReport{1, "com.tessaril.kana-keyboard", allUp, start + 20 * millisecond}));
        EXPECT_EQ(outcomes.back(), "success");
    }
    EXPECT_EQ(service->createdDevices(), std::vector<platform::VirtualHIDDeviceProperties>{KanaModeKeyboard::deviceProperties()});
    EXPECT_EQ(logLines(), (std::vector<std::string>{"kana keyboard active", "mode key report dispatched mode=eisu",
                                                    "mode key report dispatched mode=kana"}));
}

TEST_F(KanaModeKeyboardTests, theDeviceDescribesAJapaneseBootKeyboard) {
    const auto properties = KanaModeKeyboard::deviceProperties();
    EXPECT_EQ(properties.descriptor.size(), 65u);
    EXPECT_EQ(Bytes(properties.descriptor.begin() + 50, properties.descriptor.end()),
              (Bytes{0x15, 0x00, 0x26, 0xFF, 0x00, 0x05, 0x07, 0x19, 0x00, 0x2A, 0xFF, 0x00, 0x81, 0x00, 0xC0}))
        << "the key array reaches usage 255, so LANG1 and LANG2 are in range";
    EXPECT_EQ(properties.vendorID, 0x5453u);
    EXPECT_EQ(properties.productID, 1u);
    EXPECT_EQ(properties.manufacturer, "Tessaril");
    EXPECT_EQ(properties.product, "Tessaril Kana Keyboard");
    EXPECT_EQ(properties.uniqueID, "com.tessaril.kana-keyboard");
    EXPECT_EQ(properties.localizationCode, platform::HIDLocalizationCode::japan);
    EXPECT_EQ(properties.transport, std::nullopt);
    EXPECT_EQ(properties.serialNumber, std::nullopt);
}

TEST_F(KanaModeKeyboardTests, modesWithoutAKeyFailBeforeAnythingIsSent) {
    for (const auto mode : {InputMode::fullWidthRoman, InputMode::katakana, InputMode::halfWidthKatakana}) {
        keyboard.tap(mode, recordOutcome());
        EXPECT_THROW(KanaModeKeyboard::pressedReport(mode), KanaModeKeyboard::KeyboardError);
    }
    scheduler.advanceBy(100);
    EXPECT_EQ(outcomes, (std::vector<std::string>{"KeyboardError.unsupportedMode(fullWidthRoman)",
                                                  "KeyboardError.unsupportedMode(katakana)",
                                                  "KeyboardError.unsupportedMode(halfWidthKatakana)"}));
    EXPECT_EQ(service->creationAttempts(), 0u);
    EXPECT_TRUE(service->dispatchAttempts().empty());
    EXPECT_TRUE(logLines().empty());
}

TEST_F(KanaModeKeyboardTests, aDeviceThatCannotBeCreatedFailsStartAndTap) {
    service->setCreationFails(true);
    keyboard.start(recordOutcome());
    keyboard.tap(InputMode::eisu, recordOutcome());
    scheduler.advanceBy(100);
    EXPECT_EQ(outcomes, (std::vector<std::string>{"KeyboardError.creationFailed", "KeyboardError.creationFailed"}));
    EXPECT_FALSE(keyboard.isRunning());
    EXPECT_TRUE(service->dispatchAttempts().empty());
    EXPECT_EQ(logLines(), (std::vector<std::string>{"kana keyboard creation failed", "kana keyboard creation failed"}));
    ASSERT_EQ(log->records().size(), 2u);
    EXPECT_EQ(log->records()[0].level, platform::LogLevel::error);
}

TEST_F(KanaModeKeyboardTests, aFailedDispatchStillReleasesAndReportsTheFirstError) {
    struct Case {
        std::string name;
        std::size_t failingAttempt; // 0: the press, 1: the release
        std::vector<Bytes> expectedAttempts;
        std::vector<bool> expectedFailures;
    };
    const std::vector<Case> cases = {
        {"press", 0, {lang2Down, allUp}, {true, false}},
        {"release", 1, {lang2Down, allUp, allUp}, {false, true, false}},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        platform::VirtualUptimeClock caseClock;
        platform::VirtualScheduler caseScheduler{caseClock};
        auto caseExecutor = caseScheduler.makeSerialExecutor("kana-keyboard");
        auto caseService = std::make_shared<platform::VirtualHIDDeviceService>(caseScheduler);
        auto caseLog = std::make_shared<platform::RecordingLogSink>();
        KanaModeKeyboard caseKeyboard{caseService, *caseExecutor, caseClock, caseLog};
        caseService->failDispatchAttempt(testCase.failingAttempt, "report refused");
        std::vector<std::string> caseOutcomes;
        caseKeyboard.tap(InputMode::eisu, [&](std::exception_ptr error) { caseOutcomes.push_back(outcome(error)); });
        caseScheduler.advanceBy(100);

        EXPECT_EQ(caseOutcomes, std::vector<std::string>{"VirtualHIDError: report refused"});
        std::vector<Bytes> attempts;
        std::vector<bool> failures;
        for (const auto& attempt : caseService->dispatchAttempts()) {
            attempts.push_back(attempt.report.bytes);
            failures.push_back(attempt.failure.has_value());
        }
        EXPECT_EQ(attempts, testCase.expectedAttempts);
        EXPECT_EQ(failures, testCase.expectedFailures);
        EXPECT_EQ(caseLog->messages("input-mode").back(), "kana keyboard tap failed mode=eisu");
        EXPECT_TRUE(caseKeyboard.isRunning()) << "a failed tap keeps the device";
    }
}

TEST_F(KanaModeKeyboardTests, tapsRunOneAfterAnotherInCallOrder) {
    keyboard.tap(InputMode::eisu, recordOutcome());
    keyboard.tap(InputMode::kana, recordOutcome());
    keyboard.tap(InputMode::eisu, recordOutcome());
    scheduler.advanceBy(100);
    const auto reports = service->reports();
    ASSERT_EQ(reports.size(), 6u);
    const std::vector<std::pair<Bytes, std::uint64_t>> expected = {
        {lang2Down, 1000}, {allUp, 1020}, {lang1Down, 1020}, {allUp, 1040}, {lang2Down, 1040}, {allUp, 1060},
    };
    for (std::size_t index = 0; index < expected.size(); ++index) {
        EXPECT_EQ(reports[index].bytes, expected[index].first) << index;
        EXPECT_EQ(reports[index].timestampNanoseconds, expected[index].second * millisecond) << index;
    }
    EXPECT_EQ(outcomes, std::vector<std::string>(3, "success"));
}

TEST_F(KanaModeKeyboardTests, startIsSingleFlightAndStopDuringActivationWins) {
    service->setActivationDelay(5ms);
    keyboard.start(recordOutcome());
    keyboard.start(recordOutcome());
    keyboard.tap(InputMode::kana, recordOutcome());
    scheduler.advanceBy(4);
    EXPECT_FALSE(keyboard.isRunning());
    EXPECT_EQ(service->creationAttempts(), 1u);
    scheduler.advanceBy(30);
    EXPECT_EQ(service->creationAttempts(), 1u) << "one activation, one device";
    EXPECT_EQ(outcomes, std::vector<std::string>(3, "success"));
    EXPECT_EQ(attemptedBytes(), (std::vector<Bytes>{lang1Down, allUp}));

    keyboard.stop();
    keyboard.start(recordOutcome());
    keyboard.stop();
    scheduler.advanceBy(30);
    EXPECT_FALSE(keyboard.isRunning()) << "the stop asked for during the activation is carried out after it";
    EXPECT_EQ(service->creationAttempts(), 2u);
}

TEST_F(KanaModeKeyboardTests, stoppingDuringTheHoldStillReleasesTheKey) {
    keyboard.tap(InputMode::eisu, recordOutcome());
    scheduler.advanceBy(10);
    keyboard.stop();
    scheduler.advanceBy(1);
    EXPECT_FALSE(keyboard.isRunning());
    scheduler.advanceBy(20);
    EXPECT_EQ(attemptedBytes(), (std::vector<Bytes>{lang2Down, allUp, allUp}));
    EXPECT_EQ(service->dispatchAttempts()[2].failure, std::nullopt) << "the tap releases on the device it pressed";
    EXPECT_EQ(outcomes, std::vector<std::string>{"success"});

    keyboard.stop(); // already stopped: nothing
    keyboard.tap(InputMode::kana, recordOutcome());
    scheduler.advanceBy(30);
    EXPECT_EQ(service->creationAttempts(), 2u) << "a tap on a stopped keyboard starts it again";
    EXPECT_EQ(attemptedBytes().size(), 5u);
}

TEST_F(KanaModeKeyboardTests, getReportAnswersWithTheReleasedReportCutToTheAskedSize) {
    KanaModeKeyboard::Delegate delegate;
    const std::vector<std::pair<int, Bytes>> cases = {{3, Bytes(3, 0)}, {0, {}}, {-1, {}}, {8, allUp}, {100, allUp}};
    for (const auto& [maxSize, expected] : cases) {
        EXPECT_EQ(delegate.handleGetReport(platform::HIDReportType::input, 0, maxSize), expected) << maxSize;
    }
    keyboard.start();
    scheduler.runUntilIdle();
    const auto devices = service->activeDevices();
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0]->requestGetReport(platform::HIDReportType::feature, 2, 5), Bytes(5, 0));
    const Bytes leds{0x1F};
    devices[0]->requestSetReport(platform::HIDReportType::output, 0, leds); // accepted and ignored
    EXPECT_TRUE(service->dispatchAttempts().empty());
}

TEST(ThreadedKanaModeKeyboardTests, tapsFromManyThreadsNeverOverlap) {
    platform::SteadyUptimeClock clock;
    platform::SerialExecutor hidQueue("test.hid");
    platform::SerialExecutor keyboardQueue("test.kana-keyboard");
    auto service = std::make_shared<platform::VirtualHIDDeviceService>(hidQueue);
    KanaModeKeyboard keyboard{service, keyboardQueue, clock, std::make_shared<platform::RecordingLogSink>()};

    constexpr int threads = 3;
    constexpr int tapsEach = 4;
    std::vector<std::promise<std::string>> results(threads * tapsEach);
    std::vector<std::thread> callers;
    for (int thread = 0; thread < threads; ++thread) {
        callers.emplace_back([&, thread] {
            for (int tap = 0; tap < tapsEach; ++tap) {
                auto& result = results[static_cast<std::size_t>(thread * tapsEach + tap)];
                keyboard.tap(tap % 2 == 0 ? InputMode::eisu : InputMode::kana,
                             [&result](std::exception_ptr error) { result.set_value(outcome(error)); });
                if (thread == 0 && tap == 1) keyboard.stop();
            }
        });
    }
    for (auto& caller : callers) caller.join();
    for (auto& result : results) EXPECT_EQ(result.get_future().get(), "success");

    // Every press is followed by its release before the next press (stop adds lone releases).
    bool held = false;
    int presses = 0;
    for (const auto& report : service->reports()) {
        if (report.bytes == allUp) {
            held = false;
        } else {
            EXPECT_FALSE(held) << "a press while another key is held";
            held = true;
            ++presses;
        }
    }
    EXPECT_FALSE(held);
    EXPECT_EQ(presses, threads * tapsEach);
    std::promise<void> stopped;
    keyboard.stop([&] { stopped.set_value(); });
    stopped.get_future().wait();
}

} // namespace
} // namespace tessaril
