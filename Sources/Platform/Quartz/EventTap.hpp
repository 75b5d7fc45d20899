#pragma once

#include <cstdint>
#include <deque>
#include <memory>

#include "Platform/Quartz/Event.hpp"
#include "Platform/Quartz/EventTapLocation.hpp"
#include "Platform/Quartz/EventTapOptions.hpp"
#include "Platform/Quartz/EventTapPlacement.hpp"
#include "Platform/RunLoop/RunLoopSource.hpp"

namespace tessaril::platform {

class EventTap;

// What a tap's callback answers: the event to pass on (the one it was given, possibly changed), or
// none to swallow it. A listen-only tap's answer is ignored.
using EventTapProxy = EventTap*;
using EventTapCallBack = Event* (*)(EventTapProxy proxy, EventType type, Event* event, void* userInfo);

// An event tap (the mach port the system hands out). Its settings are fixed at creation; its state
// (enabled, valid, events waiting for its run loop) belongs to the EventSystem that made it and is
// guarded by that system's lock.
class EventTap {
public:
    struct Settings {
        EventTapLocation location;
        EventTapPlacement placement;
        EventTapOptions options;
        std::uint64_t eventsOfInterest;
        EventTapCallBack callback;
        void* userInfo;
    };

    explicit EventTap(Settings settings) : settings_(settings) {}
    const Settings& settings() const { return settings_; }

private:
    friend class EventSystem;
    struct Waiting {
        EventType type;
        Event event;
        bool isNotification;
    };

    Settings settings_;
    // Order among the taps of one location: smaller sees events first.
    std::int64_t rank_ = 0;
    bool enabled_ = true;
    bool valid_ = true;
    std::deque<Waiting> waiting_;
    std::weak_ptr<RunLoopSource> source_;
};

} // namespace tessaril::platform
