#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <system_error>
#include <vector>

#include "Platform/Accessibility/SimulatedAccessibilityTrust.hpp"
#include "Platform/Clock/VirtualUptimeClock.hpp"
#include "Platform/Dispatch/VirtualScheduler.hpp"
#include "Platform/Logging/RecordingLogSink.hpp"
#include "Platform/Quartz/EventSystem.hpp"
#include "Platform/RunLoop/NamedThread.hpp"
#include "Platform/RunLoop/SystemThreadLauncher.hpp"
#include "TessarilMac/EventTap/EventTapInputBackend.hpp"
#include "TessarilMac/Pipeline/MacKeyboardActionDispatcher.hpp"

using namespace std::chrono_literals;
using namespace tessaril;
using platform::Event;
using platform::EventType;
namespace flags = platform::event_flags;

namespace {

constexpr auto tapWait = 10s;  // bound for waiting on the real tap thread

// A process that cannot start another thread.
class ExhaustedThreadLauncher final : public platform::ThreadLauncher {
public:
    platform::NamedThread launch(std::string, std::function<void()>) override {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    }
};

// What the tap thread's handler saw; the handler suppresses Command-Q.
class RecordingHandler {
public:
    KeyboardInputDecision operator()(const KeyboardInputEvent& event) {
        if (advanceClockBy) clock->advance(*advanceClockBy);
        std::lock_guard lock(mutex_);
        events_.push_back(event);
        threads_.push_back(platform::NamedThread::currentName());
        bool commandQ = event.keyCode == 12 && event.modifiers.contains(KeyboardInputEvent::Modifiers::command());
        return commandQ ? KeyboardInputDecision::suppress : KeyboardInputDecision::passThrough;
    }
    std::vector<KeyboardInputEvent> events() const {
        std::lock_guard lock(mutex_);
        return events_;
    }
    std::vector<std::string> threads() const {
        std::lock_guard lock(mutex_);
        return threads_;
    }

    platform::VirtualUptimeClock* clock = nullptr;
    std::optional<std::chrono::nanoseconds> advanceClockBy;

private:
    mutable std::mutex mutex_;
    std::vector<KeyboardInputEvent> events_;
    std::vector<std::string> threads_;
};

struct ThreadedEventTapInputBackend : ::testing::Test {
    EventTapInputBackend::Services services(platform::ThreadLauncher& launcher) {
        return EventTapInputBackend::Services{events, trust, mainQueue, clock, launcher, logs};
    }

    void startRecording(EventTapInputBackend& target) {
        target.start([this](const KeyboardInputEvent& event) { return (*handler)(event); },
                     [this] {
                         std::lock_guard lock(mutex);
                         resetThreads.push_back(platform::NamedThread::currentName());
                     },
                     [this](EventTapInterruptionReason reason) {
                         interruptions.push_back(reason);
                         interruptionsOnMain.push_back(mainQueue.isCurrent());
                     });
    }

    std::vector<std::shared_ptr<platform::EventTap>> validTaps() const {
        std::vector<std::shared_ptr<platform::EventTap>> result;
        for (const auto& tap : events.taps()) {
            if (events.isValid(*tap)) result.push_back(tap);
        }
        return result;
    }

    void deliver(std::int64_t keyCode, platform::EventFlags eventFlags = 0) {
        events.deliverHardwareEvent(Event::keyboard(EventType::keyDown, keyCode, eventFlags, clock.uptimeNanoseconds()));
    }

    platform::VirtualUptimeClock clock{100'000'000'000};
    platform::EventSystem events{clock};
    platform::SimulatedAccessibilityTrust trust{true};
    platform::VirtualScheduler mainQueue{clock};
    platform::SystemThreadLauncher threads;
    std::shared_ptr<platform::RecordingLogSink> logs = std::make_shared<platform::RecordingLogSink>();
    std::shared_ptr<RecordingHandler> handler = std::make_shared<RecordingHandler>();
    std::mutex mutex;
    std::vector<std::string> resetThreads;
    std::vector<EventTapInterruptionReason> interruptions;
    std::vector<bool> interruptionsOnMain;
    EventTapInputBackend backend{EventTapMode::interceptKeyboardEvents, services(threads)};
};

TEST_F(ThreadedEventTapInputBackend, StartInstallsAHeadSessionTapOnItsOwnThreadAndStopRemovesIt) {
    startRecording(backend);
    EXPECT_TRUE(backend.isRunning());
    EXPECT_EQ(trust.promptOptions(), std::vector<bool>{false});
    auto taps = validTaps();
    ASSERT_EQ(taps.size(), 1u);
    const auto& settings = taps[0]->settings();
    EXPECT_EQ(settings.location, platform::EventTapLocation::sessionEventTap);
    EXPECT_EQ(settings.placement, platform::EventTapPlacement::headInsertEventTap);
    EXPECT_EQ(settings.options, platform::EventTapOptions::defaultTap);
    EXPECT_EQ(settings.eventsOfInterest, 0x1C00u);
    EXPECT_TRUE(events.tapIsEnabled(*taps[0]));

    deliver(0);
    ASSERT_TRUE(events.waitUntilIdle(tapWait));
    EXPECT_EQ(handler->threads(), std::vector<std::string>{"com.tessaril.event-tap"});

    backend.stop();
    EXPECT_FALSE(backend.isRunning());
    EXPECT_TRUE(validTaps().empty());
    backend.stop();
    EXPECT_FALSE(backend.isRunning());

    // Without a tap the event reaches the session untouched and the handler is not asked.
    deliver(12, flags::maskCommand);
    ASSERT_TRUE(events.waitUntilIdle(tapWait));
    EXPECT_EQ(handler->events().size(), 1u);
    EXPECT_EQ(events.deliveredEvents().size(), 2u);
}

TEST_F(ThreadedEventTapInputBackend, RepeatedStartsReplaceTheTapAndStopsReturnPromptly) {
    for (int round = 0; round < 20; ++round) {
        startRecording(backend);
        if (round % 2 == 0) startRecording(backend);  // start on a running backend replaces everything
        ASSERT_EQ(validTaps().size(), 1u) << round;
        deliver(round);
        if (round % 3 == 0) backend.stop();
    }
    ASSERT_TRUE(events.waitUntilIdle(tapWait));
    backend.stop();
    EXPECT_TRUE(validTaps().empty());
    // Every event reached the session, swallowed by none, handed to a tap or passed when it was torn down.
    EXPECT_EQ(events.deliveredEvents().size(), 20u);
}

TEST_F(ThreadedEventTapInputBackend, EveryFailedStartLeavesNothingRunning) {
    using Case = EventTapInputBackendError::Case;
    struct Scenario {
        const char* name;
        std::function<void(platform::EventSystem&, platform::SimulatedAccessibilityTrust&)> arrange;
        bool exhaustThreads;
        Case expected;
        const char* description;
        std::size_t tapsMadeByFailedStart;
    };
    const Scenario scenarios[] = {
        {"not trusted", [](auto&, auto& permission) { permission.setTrusted(false); }, false,
         Case::accessibilityNotTrusted, "accessibilityNotTrusted", 0},
        {"no tap", [](auto& system, auto&) { system.setTapCreationFails(true); }, false, Case::failedToCreateEventTap,
         "failedToCreateEventTap", 0},
        {"no run-loop source", [](auto& system, auto&) { system.setRunLoopSourceCreationFails(true); }, false,
         Case::failedToCreateRunLoopSource, "failedToCreateRunLoopSource", 1},
        {"no thread", [](auto&, auto&) {}, true, Case::failedToStartEventTapThread, "failedToStartEventTapThread", 1},
    };
    auto passAll = [](const KeyboardInputEvent&) { return KeyboardInputDecision::passThrough; };
    for (const auto& scenario : scenarios) {
        platform::EventSystem system(clock);
        platform::SimulatedAccessibilityTrust permission(true);
        ExhaustedThreadLauncher exhausted;
        bool exhaust = false;
        // Launches real threads until the scenario exhausts them.
        struct SwitchableLauncher final : platform::ThreadLauncher {
            SwitchableLauncher(platform::ThreadLauncher& real, platform::ThreadLauncher& failing, bool& useFailing)
                : real_(real), failing_(failing), useFailing_(useFailing) {}
            platform::NamedThread launch(std::string name, std::function<void()> body) override {
                return (useFailing_ ? failing_ : real_).launch(std::move(name), std::move(body));
            }
            platform::ThreadLauncher& real_;
            platform::ThreadLauncher& failing_;
            bool& useFailing_;
        } launcher(threads, exhausted, exhaust);
        EventTapInputBackend target(EventTapMode::interceptKeyboardEvents,
                                    {system, permission, mainQueue, clock, launcher, logs});
        target.start(passAll);  // a running tap is torn down by every later start, failed or not
        ASSERT_EQ(system.taps().size(), 1u);

        scenario.arrange(system, permission);
        exhaust = scenario.exhaustThreads;
        try {
            target.start(passAll);
            ADD_FAILURE() << scenario.name << ": started";
        } catch (const EventTapInputBackendError& error) {
            EXPECT_EQ(error.errorCase(), scenario.expected) << scenario.name;
            EXPECT_EQ(error.description(), scenario.description) << scenario.name;
            EXPECT_EQ(error.typeName(), "EventTapInputBackendError");
        }
        EXPECT_FALSE(target.isRunning()) << scenario.name;
        EXPECT_EQ(system.taps().size(), 1u + scenario.tapsMadeByFailedStart) << scenario.name;
        for (const auto& tap : system.taps()) {
            EXPECT_FALSE(system.isValid(*tap)) << scenario.name;
            EXPECT_FALSE(system.tapIsEnabled(*tap)) << scenario.name;
        }
        system.deliverHardwareEvent(Event::keyboard(EventType::keyDown, 0));
        EXPECT_TRUE(system.waitUntilIdle(tapWait)) << scenario.name;
        EXPECT_EQ(system.deliveredEvents().size(), 1u) << scenario.name;
    }
}

TEST_F(ThreadedEventTapInputBackend, SuppressedEventsAreSwallowedOnlyWhenIntercepting) {
    startRecording(backend);
    deliver(12, flags::maskCommand);  // Command-Q: suppressed
    deliver(12);                      // Q: passes
    ASSERT_TRUE(events.waitUntilIdle(tapWait));
    ASSERT_EQ(events.swallowedEvents().size(), 1u);
    EXPECT_EQ(events.swallowedEvents()[0].flags(), flags::maskCommand);
    ASSERT_EQ(events.deliveredEvents().size(), 1u);
    EXPECT_EQ(events.deliveredEvents()[0].flags(), 0u);
    backend.stop();

    EventTapInputBackend observer(EventTapMode::observeOnly, services(threads));
    startRecording(observer);
    ASSERT_EQ(validTaps().size(), 1u);
    EXPECT_EQ(validTaps()[0]->settings().options, platform::EventTapOptions::listenOnly);
    deliver(12, flags::maskCommand);
    ASSERT_TRUE(events.waitUntilIdle(tapWait));
    EXPECT_EQ(events.swallowedEvents().size(), 1u);
    EXPECT_EQ(events.deliveredEvents().size(), 2u);
    EXPECT_EQ(handler->events().size(), 3u);
}

TEST_F(ThreadedEventTapInputBackend, PostedTextComesBackThroughTheTapMarkedAsSynthetic) {
    startRecording(backend);
    MacKeyboardActionDispatcher dispatcher(events);
    dispatcher.insertText("q");
    dispatcher.pressShortcut({{Shortcut::Modifier::command}, Shortcut::Key::character("q")});
    ASSERT_TRUE(events.waitUntilIdle(tapWait));

    auto seen = handler->events();
    ASSERT_EQ(seen.size(), 4u);
    for (const auto& event : seen) EXPECT_TRUE(event.isSynthetic);
    EXPECT_EQ(seen[0].kind, KeyboardInputEvent::Kind::keyDown);
    EXPECT_EQ(seen[1].kind, KeyboardInputEvent::Kind::keyUp);
    // This handler suppresses Command-Q even when synthetic (letting marked events pass is the
    // controller's business); the text pair reaches the session carrying its text and marker.
    EXPECT_EQ(events.swallowedEvents().size(), 2u);
    auto delivered = events.deliveredEvents();
    ASSERT_EQ(delivered.size(), 2u);
    for (const auto& event : delivered) {
        EXPECT_EQ(event.keyboardUnicodeString(), u"q");
        EXPECT_EQ(event.integerValueField(platform::EventField::eventSourceUserData), 0x544553534152494C);
    }
}

TEST_F(ThreadedEventTapInputBackend, HealthWindowIsLoggedAfterAMinuteWithTheCallbackCounts) {
    handler->clock = &clock;
    startRecording(backend);
    handler->advanceClockBy = 6ms;
    deliver(0);
    ASSERT_TRUE(events.waitUntilIdle(tapWait));
    handler->advanceClockBy.reset();
    deliver(70'000);  // no real key: passes unconverted, without the handler, and is still counted
    ASSERT_TRUE(events.waitUntilIdle(tapWait));
    handler->advanceClockBy = 25ms;
    deliver(1);
    ASSERT_TRUE(events.waitUntilIdle(tapWait));
    handler->advanceClockBy.reset();
    EXPECT_TRUE(logs->messages("input-health").empty());

    clock.advance(60s);
    deliver(2);
    ASSERT_TRUE(events.waitUntilIdle(tapWait));
    EXPECT_EQ(handler->events().size(), 3u);
    EXPECT_EQ(events.deliveredEvents().size(), 4u);
    EXPECT_EQ(logs->records(),
              (std::vector<platform::LogRecord>{{"com.tessaril.Tessaril", "input-health", platform::LogLevel::notice,
                                                 "event tap callback window count=4 over5ms=2 over20ms=1 maxUs=25000"}}));
}

TEST_F(ThreadedEventTapInputBackend, InterruptionWithPermissionResetsReenablesAndTellsTheMainQueue) {
    startRecording(backend);
    auto tap = validTaps().at(0);
    events.disableTap(*tap, EventType::tapDisabledByTimeout);
    ASSERT_TRUE(events.waitUntilIdle(tapWait));
    EXPECT_TRUE(events.tapIsEnabled(*tap));
    {
        std::lock_guard lock(mutex);
        EXPECT_EQ(resetThreads, std::vector<std::string>{"com.tessaril.event-tap"});
    }
    EXPECT_TRUE(interruptions.empty());  // only once the main queue runs
    mainQueue.runUntilIdle();
    EXPECT_EQ(interruptions, std::vector<EventTapInterruptionReason>{EventTapInterruptionReason::tapReenabledAfterInterruption});
    EXPECT_EQ(interruptionsOnMain, std::vector<bool>{true});
    EXPECT_EQ(logs->messages("input-health"), std::vector<std::string>{"event tap disabled reason=timeout"});

    deliver(12, flags::maskCommand);  // the re-enabled tap swallows again
    ASSERT_TRUE(events.waitUntilIdle(tapWait));
    EXPECT_EQ(events.swallowedEvents().size(), 1u);
}

TEST_F(ThreadedEventTapInputBackend, RevocationIsReportedOncePerStartAndStopping) {
    // The application stops the backend from the main queue when told of a revocation.
    backend.start([](const KeyboardInputEvent&) { return KeyboardInputDecision::passThrough; }, {},
                  [this](EventTapInterruptionReason reason) {
                      interruptions.push_back(reason);
                      if (reason == EventTapInterruptionReason::accessibilityRevoked) backend.stop();
                  });
    auto tap = validTaps().at(0);
    trust.setTrusted(false);
    events.disableTap(*tap, EventType::tapDisabledByUserInput);
    events.disableTap(*tap, EventType::tapDisabledByTimeout);
    ASSERT_TRUE(events.waitUntilIdle(tapWait));
    EXPECT_FALSE(events.tapIsEnabled(*tap));
    EXPECT_TRUE(backend.isRunning());
    mainQueue.runUntilIdle();
    EXPECT_EQ(interruptions, std::vector<EventTapInterruptionReason>{EventTapInterruptionReason::accessibilityRevoked});
    EXPECT_FALSE(backend.isRunning());
    EXPECT_EQ(logs->messages("input-health"),
              (std::vector<std::string>{"event tap disabled reason=user-input", "event tap disabled reason=timeout"}));

    trust.setTrusted(true);
    startRecording(backend);
    trust.setTrusted(false);
    events.disableTap(*validTaps().at(0), EventType::tapDisabledByTimeout);
    ASSERT_TRUE(events.waitUntilIdle(tapWait));
    mainQueue.runUntilIdle();
    EXPECT_EQ(interruptions, (std::vector<EventTapInterruptionReason>{EventTapInterruptionReason::accessibilityRevoked,
                                                                      EventTapInterruptionReason::accessibilityRevoked}));
    {
        std::lock_guard lock(mutex);
        EXPECT_TRUE(resetThreads.empty());
    }
}

TEST_F(ThreadedEventTapInputBackend, InterruptionsQueuedBeforeAStopOrRestartDoNothing) {
    startRecording(backend);
    events.disableTap(*validTaps().at(0), EventType::tapDisabledByTimeout);
    ASSERT_TRUE(events.waitUntilIdle(tapWait));
    backend.stop();
    mainQueue.runUntilIdle();
    EXPECT_TRUE(interruptions.empty());

    startRecording(backend);
    trust.setTrusted(false);
    events.disableTap(*validTaps().at(0), EventType::tapDisabledByTimeout);
    ASSERT_TRUE(events.waitUntilIdle(tapWait));
    trust.setTrusted(true);
    startRecording(backend);  // a restart before the main queue runs
    mainQueue.runUntilIdle();
    EXPECT_TRUE(interruptions.empty());
    EXPECT_TRUE(backend.isRunning());
}

TEST(EventTapCallback, WithoutUserInfoReturnsTheEventUnchanged) {
    Event event = Event::keyboard(EventType::keyDown, 12, flags::maskCommand);
    Event copy = event;
    EXPECT_EQ(eventTapCallback(nullptr, EventType::keyDown, &event, nullptr), &event);
    EXPECT_EQ(eventTapCallback(nullptr, EventType::tapDisabledByTimeout, &event, nullptr), &event);
    EXPECT_EQ(event, copy);
}

} // namespace
