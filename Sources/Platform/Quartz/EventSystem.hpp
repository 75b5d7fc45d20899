#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "Platform/Clock/UptimeClock.hpp"
#include "Platform/Quartz/Event.hpp"
#include "Platform/Quartz/EventSource.hpp"
#include "Platform/Quartz/EventTap.hpp"
#include "Platform/RunLoop/RunLoopSource.hpp"

namespace tessaril::platform {

// The login session's event system (Quartz event services). Every keyboard event, from a device or
// posted, passes the enabled taps that want its type in order (by location, then placement); a tap
// sees an event on its own run loop, through its run-loop source, so delivery is asynchronous. An
// active tap swallows an event by answering none. What leaves the last tap is delivered to the
// session (recorded, and handed to the delivery observer). Also makes event sources and keyboard
// events, answers how long ago a pointer button went down, and can be told to fail where the real
// service fails.
//
// Threads: every operation may be called from any thread; tap callbacks run on the thread of the run
// loop holding the tap's source, never under the system's lock. Work queued for a tap's run loop
// holds the system weakly. Lock: one internal mutex, never held while calling out.
class EventSystem {
public:
    explicit EventSystem(const UptimeClock& clock);
    ~EventSystem();
    EventSystem(const EventSystem&) = delete;
    EventSystem& operator=(const EventSystem&) = delete;

    // Sources and events (none when made to fail).
    std::shared_ptr<EventSource> createEventSource(EventSourceStateID stateID);
    // A keyboard event stamped with the current uptime; `source` may be absent.
    std::unique_ptr<Event> createKeyboardEvent(const EventSource* source, std::uint16_t virtualKey, bool keyDown);
    // Posts a copy of the event at a location: it is recorded and then passes the taps at or after it.
    void post(EventTapLocation location, const Event& event);
    // Seconds since the last event of the type in the session; infinity when there was none.
    double secondsSinceLastEventType(EventSourceStateID stateID, EventType type) const;

    // Taps. A new tap is enabled; none when made to fail.
    std::shared_ptr<EventTap> tapCreate(EventTapLocation location, EventTapPlacement placement,
                                        EventTapOptions options, std::uint64_t eventsOfInterest,
                                        EventTapCallBack callback, void* userInfo);
    void tapEnable(EventTap& tap, bool enable);
    bool tapIsEnabled(const EventTap& tap) const;
    // Invalidates the tap's port: it sees no more events; events waiting for it pass on.
    void invalidate(EventTap& tap);
    bool isValid(const EventTap& tap) const;
    // The source that runs the tap's callbacks on the run loop it is added to; none when made to fail.
    std::shared_ptr<RunLoopSource> createRunLoopSource(const std::shared_ptr<EventTap>& tap, std::int64_t order);

    // The session's side: events from devices, pointer buttons, and the system disabling a tap (the
    // tap is disabled and its callback is told so, with `tapDisabledByTimeout` or `tapDisabledByUserInput`).
    void deliverHardwareEvent(const Event& event);
    void notePointerButtonDown(EventType type);
    void disableTap(EventTap& tap, EventType reason);
    // Called with each event that has passed every tap, on the thread that passed it on last.
    void setDeliveryObserver(std::function<void(const Event&)> observer);
    // Waits until every event and notification handed in so far has been delivered, swallowed or
    // seen; false when the time-out passes first (a tap whose run loop does not run).
    bool waitUntilIdle(std::chrono::nanoseconds timeout) const;

    // Faults.
    void setEventSourceCreationFails(bool fails);
    // How many more keyboard events can be made; none means no limit.
    void setRemainingEventCreations(std::optional<std::size_t> remaining);
    void setTapCreationFails(bool fails);
    void setRunLoopSourceCreationFails(bool fails);

    // Records, in order.
    std::vector<Event> postedEvents() const;
    std::vector<Event> deliveredEvents() const;
    std::vector<Event> swallowedEvents() const;
    std::vector<std::shared_ptr<EventTap>> taps() const;
    std::size_t createdEventSourceCount() const;

    struct Core;

private:
    std::shared_ptr<Core> core_;
};

} // namespace tessaril::platform
