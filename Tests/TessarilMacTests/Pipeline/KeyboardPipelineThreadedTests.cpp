#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

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
    std::atomic<int> statusChanges{0};
    void setStatusText(const std::string&) override { statusChanges.fetch_add(1); }
    // Typed texts come back through the tap as marked events, part of the load. Main thread.
    KeyboardPipeline* pipeline = nullptr;
    void dispatchTextInsertion(const std::string& text) override { pipeline->insertText(text); }
    void dispatchTextInsertionAndCursorMove(const std::string& text, std::int64_t count) override {
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

// Hardware key events keep arriving while the main thread starts and stops the event tap again and
// again: every event is delivered or swallowed exactly once, and nothing deadlocks.
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

    constexpr int rounds = 1500;
    std::atomic<bool> injecting{true};
    std::thread injector([&] {
        using platform::EventType;
        for (int round = 0; round < rounds; ++round) {
            events.deliverHardwareEvent(platform::Event::keyboard(EventType::flagsChanged, key_code::leftCommand,
                                                                  platform::event_flags::maskCommand, clock.uptimeNanoseconds()));
            events.deliverHardwareEvent(
                platform::Event::keyboard(EventType::flagsChanged, key_code::leftCommand, 0, clock.uptimeNanoseconds()));
            events.deliverHardwareEvent(platform::Event::keyboard(EventType::flagsChanged, key_code::leftShift,
                                                                  platform::event_flags::maskShift, clock.uptimeNanoseconds()));
            events.deliverHardwareEvent(platform::Event::keyboard(EventType::keyDown, key_code::keypadPeriod,
                                                                  platform::event_flags::maskShift, clock.uptimeNanoseconds()));
        }
        injecting.store(false);
    });
    int churns = 0;
    while (injecting.load() || churns < 20) {
        main.run([&] { pipeline->startInputBackend(); });
        std::this_thread::sleep_for(std::chrono::microseconds(300));
        main.run([&] { pipeline->stopInputBackend(); });
        ++churns;
    }
    injector.join();
    main.run([&] { pipeline->startInputBackend(); });
    ASSERT_TRUE(events.waitUntilIdle(std::chrono::seconds(30)));
    main.run([&] { pipeline.reset(); });

    std::size_t hardwareDelivered = 0;
    for (const auto& event : events.deliveredEvents()) hardwareDelivered += isMarked(event) ? 0 : 1;
    EXPECT_EQ(hardwareDelivered + events.swallowedEvents().size(), static_cast<std::size_t>(rounds) * 4);
    EXPECT_GT(churns, 0);
}

} // namespace
} // namespace tessaril::testing
