#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <future>
#include <string>
#include <vector>

#include "Platform/Clock/VirtualUptimeClock.hpp"
#include "Platform/Quartz/EventSystem.hpp"
#include "Platform/RunLoop/NamedThread.hpp"
#include "Platform/RunLoop/RunLoop.hpp"

using namespace std::chrono_literals;
using namespace tessaril::platform;

namespace {

constexpr std::uint64_t keyboardMask = eventMaskBit(EventType::keyDown) | eventMaskBit(EventType::keyUp) |
                                       eventMaskBit(EventType::flagsChanged);

// What a test tap saw, and how it answers: swallow key code 7, pass the rest with field 42 set to its tag.
struct TapRecord {
    std::int64_t tag = 0;
    std::vector<std::pair<EventType, std::string>> seen;  // type and the thread it was seen on
};

Event* recordingCallback(EventTapProxy, EventType type, Event* event, void* userInfo) {
    auto* record = static_cast<TapRecord*>(userInfo);
    record->seen.emplace_back(type, NamedThread::currentName());
    if (event->integerValueField(EventField::keyboardEventKeycode) == 7) return nullptr;
    event->setIntegerValueField(EventField::eventSourceUserData, record->tag);
    return event;
}

// A thread running a run loop that holds one source, as an event-tap thread does.
class TapThread {
public:
    TapThread(std::string name, std::shared_ptr<RunLoopSource> source) {
        std::promise<std::shared_ptr<RunLoop>> started;
        auto future = started.get_future();
        thread_ = NamedThread(std::move(name), [source, &started] {
            auto loop = RunLoop::current();
            loop->addSource(source);
            started.set_value(loop);
            loop->run();
            loop->removeSource(source);
        });
        loop_ = future.get();
    }
    ~TapThread() {
        loop_->performBlock([] { RunLoop::current()->stop(); });
        loop_->wakeUp();
        thread_.join();
    }

private:
    NamedThread thread_;
    std::shared_ptr<RunLoop> loop_;
};

struct ThreadedEventSystem : ::testing::Test {
    VirtualUptimeClock clock{1'000'000'000};
    EventSystem events{clock};
};

TEST_F(ThreadedEventSystem, EventsPassTapsInPlacementOrderOnTheirRunLoops) {
    TapRecord first{1, {}};
    TapRecord second{2, {}};
    auto tail = events.tapCreate(EventTapLocation::sessionEventTap, EventTapPlacement::tailAppendEventTap,
                                 EventTapOptions::defaultTap, keyboardMask, recordingCallback, &second);
    auto head = events.tapCreate(EventTapLocation::sessionEventTap, EventTapPlacement::headInsertEventTap,
                                 EventTapOptions::defaultTap, keyboardMask, recordingCallback, &first);
    ASSERT_TRUE(tail && head);
    TapThread headThread("head-tap", events.createRunLoopSource(head, 0));
    TapThread tailThread("tail-tap", events.createRunLoopSource(tail, 0));

    events.deliverHardwareEvent(Event::keyboard(EventType::keyDown, 0));
    events.deliverHardwareEvent(Event::keyboard(EventType::keyDown, 7));
    events.deliverHardwareEvent(Event::keyboard(EventType::leftMouseDown, 0));
    ASSERT_TRUE(events.waitUntilIdle(10s));

    using Seen = std::vector<std::pair<EventType, std::string>>;
    EXPECT_EQ(first.seen, (Seen{{EventType::keyDown, "head-tap"}, {EventType::keyDown, "head-tap"}}));
    EXPECT_EQ(second.seen, (Seen{{EventType::keyDown, "tail-tap"}}));
    auto delivered = events.deliveredEvents();
    // The pointer event wants no tap and passes straight on, so its place among the deliveries
    // depends on how fast the tap threads are; the key event arrives only after both taps changed it.
    ASSERT_EQ(delivered.size(), 2u);
    auto keyEvent = std::find_if(delivered.begin(), delivered.end(),
                                 [](const Event& event) { return event.type() == EventType::keyDown; });
    ASSERT_NE(keyEvent, delivered.end());
    EXPECT_EQ(keyEvent->integerValueField(EventField::eventSourceUserData), 2);
    EXPECT_EQ(std::count_if(delivered.begin(), delivered.end(),
                            [](const Event& event) { return event.type() == EventType::leftMouseDown; }),
              1);
    ASSERT_EQ(events.swallowedEvents().size(), 1u);
    EXPECT_EQ(events.swallowedEvents()[0].integerValueField(EventField::keyboardEventKeycode), 7);
}

TEST_F(ThreadedEventSystem, ListenOnlyAndDisabledTapsCannotSwallow) {
    TapRecord listener{1, {}};
    auto tap = events.tapCreate(EventTapLocation::sessionEventTap, EventTapPlacement::headInsertEventTap,
                                EventTapOptions::listenOnly, keyboardMask, recordingCallback, &listener);
    TapThread thread("listener", events.createRunLoopSource(tap, 0));

    events.post(EventTapLocation::hidEventTap, Event::keyboard(EventType::keyDown, 7));
    ASSERT_TRUE(events.waitUntilIdle(10s));
    events.tapEnable(*tap, false);
    events.deliverHardwareEvent(Event::keyboard(EventType::keyUp, 7));
    ASSERT_TRUE(events.waitUntilIdle(10s));

    EXPECT_EQ(listener.seen.size(), 1u);
    EXPECT_EQ(events.postedEvents().size(), 1u);
    EXPECT_EQ(events.deliveredEvents().size(), 2u);
    EXPECT_TRUE(events.swallowedEvents().empty());
}

TEST_F(ThreadedEventSystem, DisablingATapTellsItsCallbackAndEventsWaitingForAnInvalidatedTapPassOn) {
    TapRecord record{1, {}};
    auto tap = events.tapCreate(EventTapLocation::sessionEventTap, EventTapPlacement::headInsertEventTap,
                                EventTapOptions::defaultTap, keyboardMask, recordingCallback, &record);
    auto source = events.createRunLoopSource(tap, 0);
    {
        TapThread thread("tap", source);
        events.disableTap(*tap, EventType::tapDisabledByTimeout);
        ASSERT_TRUE(events.waitUntilIdle(10s));
        EXPECT_FALSE(events.tapIsEnabled(*tap));
        events.tapEnable(*tap, true);
    }
    // No run loop holds the source now: the event waits for the tap until the tap is invalidated.
    events.deliverHardwareEvent(Event::keyboard(EventType::keyDown, 7));
    EXPECT_FALSE(events.waitUntilIdle(1ms));
    events.invalidate(*tap);
    EXPECT_TRUE(events.waitUntilIdle(10s));
    events.tapEnable(*tap, true);
    EXPECT_FALSE(events.tapIsEnabled(*tap));

    using Seen = std::vector<std::pair<EventType, std::string>>;
    EXPECT_EQ(record.seen, (Seen{{EventType::tapDisabledByTimeout, "tap"}}));
    EXPECT_EQ(events.deliveredEvents().size(), 1u);
}

TEST(EventSystem, FailuresEventCreationAndPointerButtonTimes) {
    VirtualUptimeClock clock{5'000'000'000};
    EventSystem events(clock);
    auto source = events.createEventSource(EventSourceStateID::combinedSessionState);
    ASSERT_TRUE(source);
    events.setEventSourceCreationFails(true);
    EXPECT_EQ(events.createEventSource(EventSourceStateID::combinedSessionState), nullptr);
    EXPECT_EQ(events.createdEventSourceCount(), 1u);

    auto down = events.createKeyboardEvent(source.get(), 123, true);
    ASSERT_TRUE(down);
    EXPECT_EQ(*down, Event::keyboard(EventType::keyDown, 123, 0, 5'000'000'000));
    events.setRemainingEventCreations(1);
    EXPECT_TRUE(events.createKeyboardEvent(nullptr, 0, false));
    EXPECT_EQ(events.createKeyboardEvent(nullptr, 0, false), nullptr);

    events.setTapCreationFails(true);
    EXPECT_EQ(events.tapCreate(EventTapLocation::sessionEventTap, EventTapPlacement::headInsertEventTap,
                               EventTapOptions::defaultTap, keyboardMask, recordingCallback, nullptr),
              nullptr);
    events.setTapCreationFails(false);
    auto tap = events.tapCreate(EventTapLocation::sessionEventTap, EventTapPlacement::headInsertEventTap,
                                EventTapOptions::defaultTap, keyboardMask, recordingCallback, nullptr);
    events.setRunLoopSourceCreationFails(true);
    EXPECT_EQ(events.createRunLoopSource(tap, 0), nullptr);

    EXPECT_TRUE(std::isinf(events.secondsSinceLastEventType(EventSourceStateID::combinedSessionState,
                                                            EventType::leftMouseDown)));
    events.notePointerButtonDown(EventType::rightMouseDown);
    clock.advance(1500ms);
    EXPECT_DOUBLE_EQ(events.secondsSinceLastEventType(EventSourceStateID::combinedSessionState,
                                                      EventType::rightMouseDown),
                     1.5);
}

} // namespace
