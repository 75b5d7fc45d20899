#include "Platform/Quartz/EventSystem.hpp"

#include <algorithm>
#include <condition_variable>
#include <limits>
#include <map>
#include <mutex>
#include <tuple>

namespace tessaril::platform {

namespace {

// A place in the order of taps: location first, then rank within the location.
struct Position {
    std::uint32_t location;
    std::int64_t rank;
    friend auto operator<=>(const Position&, const Position&) = default;
};

Position positionOf(const EventTap::Settings& settings, std::int64_t rank) {
    return Position{static_cast<std::uint32_t>(settings.location), rank};
}

// Just before every tap of the location.
Position entryPosition(EventTapLocation location) {
    return Position{static_cast<std::uint32_t>(location), std::numeric_limits<std::int64_t>::min()};
}

} // namespace

struct EventSystem::Core {
    explicit Core(const UptimeClock& uptime) : clock(uptime) {}

    // Hands the event to the first tap after `after` that wants it (where it waits for the tap's
    // run loop), or, when none does, delivers it to the session.
    void forward(Event event, Position after) {
        bool claimed = false;
        std::shared_ptr<RunLoopSource> source;
        std::function<void(const Event&)> deliveryObserver;
        {
            std::lock_guard lock(mutex);
            for (const auto& tap : taps) {
                if (positionOf(tap->settings_, tap->rank_) <= after) continue;
                if (!tap->valid_ || !tap->enabled_) continue;
                if ((tap->settings_.eventsOfInterest & eventMaskBit(event.type())) == 0) continue;
                tap->waiting_.push_back(EventTap::Waiting{event.type(), event, false});
                source = tap->source_.lock();
                claimed = true;
                break;
            }
            if (!claimed) {
                delivered.push_back(event);
                deliveryObserver = observer;
            }
        }
        if (claimed) {
            if (source) source->signal();
            return;
        }
        if (deliveryObserver) deliveryObserver(event);
        finishOne();
    }

    void finishOne() {
        {
            std::lock_guard lock(mutex);
            --inFlight;
        }
        idle.notify_all();
    }

    // The tap's run-loop source performs: every waiting event goes through the callback in order.
    void process(EventTap& tap) {
        for (;;) {
            EventTap::Waiting waiting{EventType::null, Event(), false};
            bool active = false;
            {
                std::lock_guard lock(mutex);
                if (tap.waiting_.empty()) return;
                waiting = std::move(tap.waiting_.front());
                tap.waiting_.pop_front();
                active = tap.valid_ && tap.enabled_;
            }
            const auto& settings = tap.settings_;
            Position here = positionOf(settings, tap.rank_);
            if (waiting.isNotification) {
                settings.callback(&tap, waiting.type, &waiting.event, settings.userInfo);
                finishOne();
                continue;
            }
            if (!active) {
                forward(std::move(waiting.event), here);
                continue;
            }
            Event* answer = settings.callback(&tap, waiting.type, &waiting.event, settings.userInfo);
            if (settings.options == EventTapOptions::listenOnly) {
                forward(std::move(waiting.event), here);
            } else if (answer == nullptr) {
                {
                    std::lock_guard lock(mutex);
                    swallowed.push_back(waiting.event);
                }
                finishOne();
            } else {
                forward(Event(*answer), here);
            }
        }
    }

    const UptimeClock& clock;
    mutable std::mutex mutex;
    mutable std::condition_variable idle;
    std::vector<std::shared_ptr<EventTap>> taps;  // in passing order
    std::int64_t headRank = 0;
    std::int64_t tailRank = 0;
    std::map<EventType, std::uint64_t> lastPointerButtonDown;
    std::function<void(const Event&)> observer;
    std::size_t inFlight = 0;

    bool eventSourceCreationFails = false;
    std::optional<std::size_t> remainingEventCreations;
    bool tapCreationFails = false;
    bool runLoopSourceCreationFails = false;

    std::vector<Event> posted;
    std::vector<Event> delivered;
    std::vector<Event> swallowed;
    std::size_t eventSourceCount = 0;
};

EventSystem::EventSystem(const UptimeClock& clock) : core_(std::make_shared<Core>(clock)) {}

EventSystem::~EventSystem() = default;

std::shared_ptr<EventSource> EventSystem::createEventSource(EventSourceStateID stateID) {
    std::lock_guard lock(core_->mutex);
    if (core_->eventSourceCreationFails) return nullptr;
    ++core_->eventSourceCount;
    return std::make_shared<EventSource>(stateID);
}

std::unique_ptr<Event> EventSystem::createKeyboardEvent(const EventSource* /*source*/, std::uint16_t virtualKey,
                                                        bool keyDown) {
    {
        std::lock_guard lock(core_->mutex);
        auto& remaining = core_->remainingEventCreations;
        if (remaining) {
            if (*remaining == 0) return nullptr;
            --*remaining;
        }
    }
    auto event = std::make_unique<Event>(Event::keyboard(keyDown ? EventType::keyDown : EventType::keyUp, virtualKey));
    event->setTimestamp(core_->clock.uptimeNanoseconds());
    return event;
}

void EventSystem::post(EventTapLocation location, const Event& event) {
    {
        std::lock_guard lock(core_->mutex);
        core_->posted.push_back(event);
        ++core_->inFlight;
    }
    core_->forward(event, entryPosition(location));
}

double EventSystem::secondsSinceLastEventType(EventSourceStateID /*stateID*/, EventType type) const {
    std::lock_guard lock(core_->mutex);
    auto found = core_->lastPointerButtonDown.find(type);
    if (found == core_->lastPointerButtonDown.end()) return std::numeric_limits<double>::infinity();
    std::uint64_t now = core_->clock.uptimeNanoseconds();
    std::uint64_t elapsed = now > found->second ? now - found->second : 0;
    return static_cast<double>(elapsed) / 1e9;
}

std::shared_ptr<EventTap> EventSystem::tapCreate(EventTapLocation location, EventTapPlacement placement,
                                                 EventTapOptions options, std::uint64_t eventsOfInterest,
                                                 EventTapCallBack callback, void* userInfo) {
    std::lock_guard lock(core_->mutex);
    if (core_->tapCreationFails || callback == nullptr) return nullptr;
    auto tap = std::make_shared<EventTap>(
        EventTap::Settings{location, placement, options, eventsOfInterest, callback, userInfo});
    tap->rank_ = placement == EventTapPlacement::headInsertEventTap ? --core_->headRank : ++core_->tailRank;
    auto& taps = core_->taps;
    auto position = std::upper_bound(taps.begin(), taps.end(), tap, [](const auto& left, const auto& right) {
        return positionOf(left->settings_, left->rank_) < positionOf(right->settings_, right->rank_);
    });
    taps.insert(position, tap);
    return tap;
}

void EventSystem::tapEnable(EventTap& tap, bool enable) {
    std::lock_guard lock(core_->mutex);
    if (tap.valid_) tap.enabled_ = enable;
}

bool EventSystem::tapIsEnabled(const EventTap& tap) const {
    std::lock_guard lock(core_->mutex);
    return tap.valid_ && tap.enabled_;
}

void EventSystem::invalidate(EventTap& tap) {
    std::deque<EventTap::Waiting> waiting;
    {
        std::lock_guard lock(core_->mutex);
        if (!tap.valid_) return;
        tap.valid_ = false;
        tap.enabled_ = false;
        waiting.swap(tap.waiting_);
        if (auto source = tap.source_.lock()) source->invalidate();
    }
    Position here = positionOf(tap.settings_, tap.rank_);
    for (auto& entry : waiting) {
        if (entry.isNotification) {
            core_->finishOne();
        } else {
            core_->forward(std::move(entry.event), here);
        }
    }
}

bool EventSystem::isValid(const EventTap& tap) const {
    std::lock_guard lock(core_->mutex);
    return tap.valid_;
}

std::shared_ptr<RunLoopSource> EventSystem::createRunLoopSource(const std::shared_ptr<EventTap>& tap,
                                                                std::int64_t /*order*/) {
    std::shared_ptr<RunLoopSource> source;
    bool pending = false;
    {
        std::lock_guard lock(core_->mutex);
        if (core_->runLoopSourceCreationFails || !tap || !tap->valid_) return nullptr;
        std::weak_ptr<Core> weakCore = core_;
        std::weak_ptr<EventTap> weakTap = tap;
        source = std::make_shared<RunLoopSource>([weakCore, weakTap] {
            auto core = weakCore.lock();
            auto target = weakTap.lock();
            if (core && target) core->process(*target);
        });
        tap->source_ = source;
        pending = !tap->waiting_.empty();
    }
    if (pending) source->signal();
    return source;
}

void EventSystem::deliverHardwareEvent(const Event& event) {
    {
        std::lock_guard lock(core_->mutex);
        ++core_->inFlight;
    }
    core_->forward(event, entryPosition(EventTapLocation::hidEventTap));
}

void EventSystem::notePointerButtonDown(EventType type) {
    std::lock_guard lock(core_->mutex);
    core_->lastPointerButtonDown[type] = core_->clock.uptimeNanoseconds();
}

void EventSystem::disableTap(EventTap& tap, EventType reason) {
    std::shared_ptr<RunLoopSource> source;
    {
        std::lock_guard lock(core_->mutex);
        if (!tap.valid_) return;
        tap.enabled_ = false;
        tap.waiting_.push_back(EventTap::Waiting{reason, Event(), true});
        ++core_->inFlight;
        source = tap.source_.lock();
    }
    if (source) source->signal();
}

void EventSystem::setDeliveryObserver(std::function<void(const Event&)> observer) {
    std::lock_guard lock(core_->mutex);
    core_->observer = std::move(observer);
}

bool EventSystem::waitUntilIdle(std::chrono::nanoseconds timeout) const {
    std::unique_lock lock(core_->mutex);
    return core_->idle.wait_for(lock, timeout, [this] { return core_->inFlight == 0; });
}

void EventSystem::setEventSourceCreationFails(bool fails) {
    std::lock_guard lock(core_->mutex);
    core_->eventSourceCreationFails = fails;
}

void EventSystem::setRemainingEventCreations(std::optional<std::size_t> remaining) {
    std::lock_guard lock(core_->mutex);
    core_->remainingEventCreations = remaining;
}

void EventSystem::setTapCreationFails(bool fails) {
    std::lock_guard lock(core_->mutex);
    core_->tapCreationFails = fails;
}

void EventSystem::setRunLoopSourceCreationFails(bool fails) {
    std::lock_guard lock(core_->mutex);
    core_->runLoopSourceCreationFails = fails;
}

std::vector<Event> EventSystem::postedEvents() const {
    std::lock_guard lock(core_->mutex);
    return core_->posted;
}

std::vector<Event> EventSystem::deliveredEvents() const {
    std::lock_guard lock(core_->mutex);
    return core_->delivered;
}

std::vector<Event> EventSystem::swallowedEvents() const {
    std::lock_guard lock(core_->mutex);
    return core_->swallowed;
}

std::vector<std::shared_ptr<EventTap>> EventSystem::taps() const {
    std::lock_guard lock(core_->mutex);
    return core_->taps;
}

std::size_t EventSystem::createdEventSourceCount() const {
    std::lock_guard lock(core_->mutex);
    return core_->eventSourceCount;
}

} // namespace tessaril::platform
