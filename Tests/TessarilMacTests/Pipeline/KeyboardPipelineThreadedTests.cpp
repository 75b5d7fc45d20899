#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "Platform/Accessibility/SimulatedAccessibilityTrust.hpp"
#include "Platform/Clock/SteadyUptimeClock.hpp"
#include "Platform/Dispatch/MainQueueExecutor.hpp"
#include "Platform/Dispatch/SerialExecutor.hpp"
#include "Platform/Quartz/EventField.hpp"
#include "Platform/Quartz/EventFlags.hpp"
#include "Platform/RunLoop/SystemThreadLauncher.hpp"
#include "TessarilMac/Pipeline/KeyboardPipeline.hpp"
#include "TessarilMac/EventTap/TessarilSyntheticEvent.hpp"
#include "TessarilMacTests/Pipeline/KeyboardEventControllerTestHarness.hpp"

namespace tessaril::testing {
namespace {

struct SilentHost final : KeyboardPipelineHost {
    void setStatusText(const std::string&) override {}
    // Typed texts come back through the tap as marked events, part of the load. Main thread.
    KeyboardPipeline* pipeline = nullptr;
    int typedTexts = 0;
    void dispatchTextInsertion(const std::string& text) override {
        ++typedTexts;
        pipeline->insertText(text);
    }
    void dispatchTextInsertionAndCursorMove(const std::string& text, std::int64_t count) override {
        ++typedTexts;
        pipeline->insertTextAndMoveCursorLeft(text, count);
    }
    void performTextPairInsertion(const std::string&, const std::string&) override {}
    void performPlainCopy() override {}
    void performPlainPaste() override {}
    void performCharacterCountCheck() override {}
    void performFixedPhraseInsertion(const FixedPhraseInsertion&) override {}
    void finishAccessibilityRevocation() override {}
};

bool isMarked(const platform::Event& event) {
    return static_cast<std::uint64_t>(event.integerValueField(platform::EventField::eventSourceUserData)) ==
           TessarilSyntheticEvent::marker;
}

// The hardware events of the churn, each with its own timestamp: a left-Command tap, then Shift and the
// keypad period (which the pipeline swallows and types "、" for while its tap runs).
std::vector<platform::Event> hardwareEvents(int rounds, std::uint64_t start) {
    using platform::EventType;
    namespace flags = platform::event_flags;
    std::vector<platform::Event> events;
    std::uint64_t timestamp = start;
    auto add = [&](EventType type, std::uint16_t keyCode, platform::EventFlags eventFlags) {
        events.push_back(platform::Event::keyboard(type, keyCode, eventFlags, timestamp));
        timestamp += 1'000'000;
    };
    for (int round = 0; round < rounds; ++round) {
        add(EventType::flagsChanged, key_code::leftCommand, flags::maskCommand);
        add(EventType::flagsChanged, key_code::leftCommand, 0);
        add(EventType::flagsChanged, key_code::leftShift, flags::maskShift);
        add(EventType::keyDown, key_code::keypadPeriod, flags::maskShift);
    }
    return events;
}

std::vector<std::uint64_t> timestampsOf(const std::vector<platform::Event>& events) {
    std::vector<std::uint64_t> timestamps;
    for (const auto& event : events) timestamps.push_back(event.timestamp());
    std::sort(timestamps.begin(), timestamps.end());
    return timestamps;
}

// Hardware key events keep arriving while the main thread starts and stops the event tap again and
// again: every hardware event is passed on or swallowed exactly once, only the keypad period is ever
// swallowed, every text the pipeline types passes the tap once and is never swallowed, and nothing is
// typed for a key that was passed on. Nothing deadlocks.
TEST(ThreadedKeyboardPipelineTests, TapStartStopChurnWhileKeysArrive) {
    Watchdog watchdog(std::chrono::seconds(90), "pipeline start/stop churn");
    platform::SteadyUptimeClock clock;
    RealMainThread main;
    platform::SerialExecutor kanaLane("kana-keyboard");
    platform::SerialExecutor workerLane("mode-key-worker");
    platform::EventSystem events(clock);
    auto hid = std::make_shared<platform::VirtualHIDDeviceService>(kanaLane);
    platform::InputSourceService inputSources(main.executor);
    platform::UserDefaults defaults;
    platform::SimulatedAccessibilityTrust accessibility(true);
    platform::SystemThreadLauncher threads;
    SilentHost host;
    TessarilSettings settings;
    settings.keypadShortcutHacks.period.isEnabled = true;
    settings.keypadShortcutHacks.period.outputText = "、";

    std::unique_ptr<KeyboardPipeline> pipeline;
    main.run([&] {
        pipeline = std::make_unique<KeyboardPipeline>(
            host, settings,
            KeyboardPipeline::Services{events, *hid, inputSources, defaults, main.executor, kanaLane, workerLane,
                                       clock, accessibility, threads, nullptr});
        host.pipeline = pipeline.get();
        pipeline->startKanaModeKeyboard();
    });

    const auto fed = hardwareEvents(1500, clock.uptimeNanoseconds());
    std::atomic<bool> injecting{true};
    std::atomic<int> stalls{0};
    std::thread injector([&] {
        // A round at a time, as a typist would: the churn lands between and within rounds.
        for (std::size_t index = 0; index < fed.size(); ++index) {
            events.deliverHardwareEvent(fed[index]);
            if (index % 4 == 3 && !events.waitUntilIdle(std::chrono::seconds(30))) stalls.fetch_add(1);
        }
        injecting.store(false);
    });
    for (int churns = 0; injecting.load() || churns < 20; ++churns) {
        main.run([&] { pipeline->startInputBackend(); });
        std::this_thread::sleep_for(std::chrono::microseconds(300));
        main.run([&] { pipeline->stopInputBackend(); });
    }
    injector.join();
    EXPECT_EQ(stalls.load(), 0);
    main.run([&] { pipeline->startInputBackend(); });
    // Until the texts typed for the last swallowed keys have come back through the tap.
    do {
        ASSERT_TRUE(events.waitUntilIdle(std::chrono::seconds(30)));
        main.run([] {});
    } while (!events.waitUntilIdle(std::chrono::seconds(0)));
    int typedTexts = 0;
    main.run([&] {
        typedTexts = host.typedTexts;
        pipeline.reset();
    });

    std::vector<platform::Event> hardware;
    std::size_t markedDelivered = 0;
    for (const auto& event : events.deliveredEvents()) {
        if (isMarked(event)) {
            ++markedDelivered;
        } else {
            hardware.push_back(event);
        }
    }
    const auto swallowed = events.swallowedEvents();
    for (const auto& event : swallowed) {
        EXPECT_FALSE(isMarked(event));
        EXPECT_EQ(event.integerValueField(platform::EventField::keyboardEventKeycode), key_code::keypadPeriod);
    }
    hardware.insert(hardware.end(), swallowed.begin(), swallowed.end());
    EXPECT_EQ(timestampsOf(hardware), timestampsOf(fed));
    EXPECT_EQ(events.postedEvents().size(), static_cast<std::size_t>(typedTexts) * 2) << "one marked pair per text";
    EXPECT_EQ(markedDelivered, events.postedEvents().size());
    EXPECT_LE(typedTexts, static_cast<int>(swallowed.size()));
}

} // namespace
} // namespace tessaril::testing
