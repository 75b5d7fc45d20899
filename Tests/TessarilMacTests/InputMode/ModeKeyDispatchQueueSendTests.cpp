// The mode-key queue wired the way the application wires it: eisu and kana tap the virtual kana
// keyboard, the other modes select an input source on the main executor.
#include <gtest/gtest.h>

#include "Platform/Clock/VirtualUptimeClock.hpp"
#include "Platform/Dispatch/VirtualScheduler.hpp"
#include "Platform/Logging/RecordingLogSink.hpp"
#include "TessarilMac/InputMode/KanaModeKeyboard.hpp"
#include "TessarilMac/InputMode/MacInputModeDispatcher.hpp"
#include "TessarilMac/InputMode/ModeKeyDispatchQueue.hpp"
#include "TessarilMacTests/InputMode/KotoeriInputSources.hpp"

namespace tessaril {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint64_t millisecond = 1'000'000;

class ModeKeyDispatchQueueSendTests : public ::testing::Test {
protected:
    platform::VirtualUptimeClock clock;
    platform::VirtualScheduler main{clock};
    std::shared_ptr<platform::Executor> keyboardExecutor = main.makeSerialExecutor("kana-keyboard");
    std::shared_ptr<platform::Executor> queueExecutor = main.makeSerialExecutor("mode-keys");
    std::shared_ptr<platform::VirtualHIDDeviceService> hid = std::make_shared<platform::VirtualHIDDeviceService>(main);
    platform::InputSourceService inputSources{main};
    platform::UserDefaults defaults;
    std::shared_ptr<platform::RecordingLogSink> log = std::make_shared<platform::RecordingLogSink>();
    KanaModeKeyboard keyboard{hid, *keyboardExecutor, clock, log};
    MacInputModeDispatcher dispatcher{MacInputSourceIDs::applicationDefaults(), defaults, inputSources, log};
    std::vector<std::string> recordedErrors;
    ModeKeyDispatchQueue queue{*queueExecutor, [this](InputMode mode, ModeKeyDispatchQueue::IsCurrent stillCurrent,
                                                      std::function<void()> finished) {
                                   send(mode, std::move(stillCurrent), std::move(finished));
                               }};

    test_support::KotoeriInputSources kotoeri = test_support::KotoeriInputSources::install(inputSources);
    platform::InputSourceRef customRoman =
        inputSources.install({"com.example.WideRoman", std::nullopt, "Wide roman", true, true});

    void send(InputMode mode, ModeKeyDispatchQueue::IsCurrent stillCurrent, std::function<void()> finished) {
        const auto record = [this](std::string error) {
            main.post([this, error] { recordedErrors.push_back(error); });
        };
        if (mode == InputMode::eisu || mode == InputMode::kana) {
            if (!stillCurrent()) return finished();
            keyboard.tap(mode, [record, finished](std::exception_ptr error) {
                if (error) record("tap failed");
                finished();
            });
            return;
        }
        main.post([this, mode, stillCurrent, finished, record] {
            if (stillCurrent()) {
                try {
                    dispatcher.setInputMode(mode);
                } catch (const Error& error) {
                    record(error.typeName());
                }
            }
            finished();
        });
    }

    std::optional<std::string> selectedSourceID() const {
        const auto current = inputSources.currentSource();
        return current ? inputSources.properties(*current)->sourceID : std::nullopt;
    }
};

TEST_F(ModeKeyDispatchQueueSendTests, eisuAndKanaBecomeModeKeyTaps) {
    dispatcher.setModeKeySender([this](InputMode mode) { queue.enqueue(mode); });
    dispatcher.setInputMode(InputMode::eisu);
    queue.enqueue(InputMode::kana);
    main.runUntilIdle();
    main.advanceBy(100);

    std::vector<std::pair<Bytes, std::uint64_t>> reports;
    for (const auto& report : hid->reports()) reports.emplace_back(report.bytes, report.timestampNanoseconds);
    const std::vector<std::pair<Bytes, std::uint64_t>> expected = {
        {{0, 0, 0x91, 0, 0, 0, 0, 0}, 0},
        {Bytes(8, 0), 20 * millisecond},
        {{0, 0, 0x90, 0, 0, 0, 0, 0}, 20 * millisecond},
        {Bytes(8, 0), 40 * millisecond},
    };
    EXPECT_EQ(reports, expected);
    EXPECT_TRUE(recordedErrors.empty());
}

TEST_F(ModeKeyDispatchQueueSendTests, theOtherModesSelectTheSavedOrResolvedSource) {
    dispatcher.saveInputSource({"com.example.WideRoman", std::nullopt, "Wide roman"}, InputMode::fullWidthRoman);
    const std::vector<std::pair<InputMode, std::string>> cases = {
        {InputMode::katakana, test_support::KotoeriInputSources::katakanaSourceID},
        {InputMode::halfWidthKatakana, test_support::KotoeriInputSources::halfWidthSourceID},
        {InputMode::fullWidthRoman, "com.example.WideRoman"},
    };
    for (const auto& [mode, sourceID] : cases) {
        queue.enqueue(mode);
        main.runUntilIdle();
        EXPECT_EQ(selectedSourceID(), sourceID) << rawValue(mode);
    }
    EXPECT_TRUE(hid->dispatchAttempts().empty());
    EXPECT_TRUE(recordedErrors.empty());
}

TEST_F(ModeKeyDispatchQueueSendTests, staleRequestsAreSkippedAndFailuresReachTheErrorRecord) {
    bool controllerCurrent = true;
    queue.enqueue(InputMode::kana, [&] { return controllerCurrent; });
    queue.enqueue(InputMode::katakana, [&] { return controllerCurrent; });
    controllerCurrent = false;
    queue.enqueue(InputMode::eisu);
    queue.cancelPending();
    main.advanceBy(100);
    EXPECT_TRUE(hid->dispatchAttempts().empty());
    EXPECT_TRUE(inputSources.selections().empty());

    hid->setCreationFails(true);
    inputSources.setSelectionStatus(kotoeri.halfWidth, -50);
    queue.enqueue(InputMode::eisu);
    queue.enqueue(InputMode::halfWidthKatakana);
    main.advanceBy(100);
    EXPECT_EQ(recordedErrors, (std::vector<std::string>{"tap failed", "MacInputModeDispatcherError"}));
}

} // namespace
} // namespace tessaril
