#include "Platform/Session/SimulatedSession.hpp"

#include <algorithm>
#include <utility>

#include "Platform/Quartz/EventField.hpp"
#include "Platform/Session/InputSourceNotInstalledError.hpp"

namespace tessaril::platform {

namespace {

constexpr std::uint64_t nanosecondsPerMillisecond = 1'000'000;

// The keyboard usages a virtual keyboard's report turns into key codes: LANG1 is the かな key and
// LANG2 the 英数 key of a JIS keyboard. The session's keyboards know no other keys.
std::optional<std::uint16_t> keyCodeForUsage(std::uint8_t usage) {
    switch (usage) {
    case 0x90: return SimulatedInputMethod::kanaKeyCode;
    case 0x91: return SimulatedInputMethod::eisuKeyCode;
    default: return std::nullopt;
    }
}

// The usages a boot-keyboard input report holds down: bytes 2 to 7, zero meaning an empty slot.
std::set<std::uint8_t> usagesHeldIn(const std::vector<std::uint8_t>& report) {
    std::set<std::uint8_t> usages;
    for (std::size_t index = 2; index < report.size() && index < 8; ++index) {
        if (report[index] != 0) usages.insert(report[index]);
    }
    return usages;
}

EventType pointerEventType(PointerButton button) {
    switch (button) {
    case PointerButton::left: return EventType::leftMouseDown;
    case PointerButton::right: return EventType::rightMouseDown;
    case PointerButton::other: return EventType::otherMouseDown;
    }
    return EventType::otherMouseDown;
}

// The virtual keyboards' key events carry the keyboard type of an ANSI keyboard; the pipeline passes
// 英数 and かな without looking at their keyboard.
constexpr std::int64_t virtualKeyboardType = 40;

} // namespace

SimulatedSession::SimulatedSession(const SessionConfiguration& configuration)
    : scheduler_(clock_),
      events_(clock_),
      hidCompletions_(scheduler_.makeSerialExecutor("hid-completions")),
      hidDevices_(std::make_shared<VirtualHIDDeviceService>(*hidCompletions_)),
      inputSources_(scheduler_),
      accessibility_(configuration.accessibilityTrusted) {
    for (const auto& properties : configuration.inputSources) {
        auto reference = inputSources_.install(properties);
        if (properties.sourceID) sourcesByID_.try_emplace(*properties.sourceID, reference);
    }
    inputSources_.makeCurrent(sourceNamed(configuration.currentInputSource));
    inputMethod_.emplace(inputSources_, sourceNamed(configuration.langKeyTargets.kana),
                         sourceNamed(configuration.langKeyTargets.eisu));

    events_.setDeliveryObserver([this](const Event& event) {
        std::lock_guard lock(deliveredMutex_);
        delivered_.push_back(event);
        if (wake_) wake_();
    });
    hidDevices_->addReportListener([this](const HIDInputReport& hidReport) { handleHIDReport(hidReport); });
    inputSources_.setSelectionListener(
        [this](const InputSourceSelectionRecord& record) { handleDispatcherSelection(record); });
    // The launch's own notifications (the initial current source) are not news to anyone.
    scheduler_.runUntilIdle();
}

SimulatedSession::~SimulatedSession() {
    events_.setDeliveryObserver({});
    inputSources_.setSelectionListener({});
}

InputSourceRef SimulatedSession::sourceNamed(const std::string& sourceID) const {
    auto found = sourcesByID_.find(sourceID);
    if (found == sourcesByID_.end()) throw InputSourceNotInstalledError("no input source \"" + sourceID + "\" is installed");
    return found->second;
}

std::optional<std::string> SimulatedSession::currentInputSourceID() const {
    auto current = inputSources_.currentSource();
    if (!current) return std::nullopt;
    auto properties = inputSources_.properties(*current);
    return properties ? properties->sourceID : std::nullopt;
}

bool SimulatedSession::flagsChanged(const KeyStroke& stroke) {
    return deliverHardwareEvent(EventType::flagsChanged, stroke);
}

bool SimulatedSession::keyDown(const KeyStroke& stroke) { return deliverHardwareEvent(EventType::keyDown, stroke); }

bool SimulatedSession::keyUp(const KeyStroke& stroke) { return deliverHardwareEvent(EventType::keyUp, stroke); }

bool SimulatedSession::deliverHardwareEvent(EventType type, const KeyStroke& stroke) {
    reportPendingObservations();
    Event event = Event::keyboard(type, stroke.keyCode, stroke.flags, clock_.uptimeNanoseconds());
    event.setIntegerValueField(EventField::keyboardEventKeyboardType, stroke.keyboardType);
    event.setIntegerValueField(EventField::keyboardEventAutorepeat, stroke.autorepeat ? 1 : 0);
    const auto swallowedBefore = events_.swallowedEvents().size();
    events_.deliverHardwareEvent(event);
    waitForTaps();
    const bool suppressed = events_.swallowedEvents().size() > swallowedBefore;
    report(SessionObservation::TapAnswered{stroke.keyCode, suppressed});
    handleDeliveredEvents();
    return suppressed;
}

void SimulatedSession::waitForTaps() {
    if (!events_.waitUntilIdle(tapAnswerBound)) {
        throw TapStalledError("the session's event taps did not answer within " + std::to_string(tapAnswerBound.count()) +
                         " s");
    }
}

void SimulatedSession::handleDeliveredEvents() {
    for (;;) {
        std::optional<Event> next;
        {
            std::lock_guard lock(deliveredMutex_);
            if (delivered_.empty()) return;
            next = std::move(delivered_.front());
            delivered_.pop_front();
        }
        if (auto selected = inputMethod_->handleDeliveredEvent(*next)) {
            auto properties = inputSources_.properties(*selected);
            report(SessionObservation::InputSourceSelected{properties && properties->sourceID ? *properties->sourceID : "",
                                                           SessionObservation::Selector::inputMethod});
        }
    }
}

void SimulatedSession::handleHIDReport(const HIDInputReport& hidReport) {
    report(SessionObservation::HIDReportSent{hidReport.bytes});
    auto held = usagesHeldIn(hidReport.bytes);
    auto& previous = heldUsages_[hidReport.deviceSerial];
    // Releases first, then presses, each in usage order, as a keyboard's state change reads.
    std::vector<std::pair<EventType, std::uint16_t>> changes;
    for (auto usage : previous) {
        if (!held.contains(usage)) {
            if (auto keyCode = keyCodeForUsage(usage)) changes.emplace_back(EventType::keyUp, *keyCode);
        }
    }
    for (auto usage : held) {
        if (!previous.contains(usage)) {
            if (auto keyCode = keyCodeForUsage(usage)) changes.emplace_back(EventType::keyDown, *keyCode);
        }
    }
    previous = std::move(held);
    for (const auto& [type, keyCode] : changes) {
        deliverHardwareEvent(type, KeyStroke{keyCode, 0, virtualKeyboardType, false});
    }
}

void SimulatedSession::handleDispatcherSelection(const InputSourceSelectionRecord& record) {
    if (record.status != 0) return;
    report(SessionObservation::InputSourceSelected{record.sourceID.value_or(""),
                                                   SessionObservation::Selector::dispatcher});
}

void SimulatedSession::pointerButtonDown(PointerButton button) { events_.notePointerButtonDown(pointerEventType(button)); }

bool SimulatedSession::selectInputSource(const std::string& sourceID) {
    auto found = sourcesByID_.find(sourceID);
    if (found == sourcesByID_.end()) return false;
    inputSources_.makeCurrent(found->second);
    return true;
}

void SimulatedSession::disableTaps(EventType reason) {
    for (const auto& tap : events_.taps()) {
        if (events_.tapIsEnabled(*tap)) events_.disableTap(*tap, reason);
    }
    waitForTaps();
}

void SimulatedSession::followRealTime(std::function<void()> wake, std::function<std::uint64_t()> realNanoseconds) {
    {
        std::lock_guard lock(deliveredMutex_);
        wake_ = wake;
    }
    scheduler_.followRealTime(std::move(wake), std::move(realNanoseconds));
}

std::optional<std::uint64_t> SimulatedSession::nextWorkNanoseconds() {
    {
        std::lock_guard lock(deliveredMutex_);
        if (!delivered_.empty()) return clock_.uptimeNanoseconds();
    }
    return scheduler_.nextDueNanoseconds();
}

void SimulatedSession::runReadyWork() {
    do {
        waitForTaps();
        handleDeliveredEvents();
    } while (scheduler_.runUntilIdle() > 0);
    reportPendingObservations();
}

void SimulatedSession::advanceTo(std::uint64_t milliseconds) {
    // Whatever the tap thread queues is on the timeline before its event is answered, so the scheduler
    // alone decides the order: blocks run by due time, and each hardware event they cause (a virtual
    // keyboard's report) is awaited inside the block that caused it.
    runReadyWork();
    scheduler_.advanceTo(milliseconds);
    runReadyWork();
}

void SimulatedSession::reportPendingObservations() {
    auto posted = events_.postedEvents();
    for (; reportedPostedEvents_ < posted.size(); ++reportedPostedEvents_) {
        const Event& event = posted[reportedPostedEvents_];
        if (observer_) {
            observer_(SessionObservation{event.timestamp() / nanosecondsPerMillisecond,
                                         SessionObservation::EventPosted{event}});
        }
    }
}

void SimulatedSession::report(SessionObservation::Payload payload) {
    reportPendingObservations();
    if (observer_) observer_(SessionObservation{nowMilliseconds(), std::move(payload)});
}

} // namespace tessaril::platform
