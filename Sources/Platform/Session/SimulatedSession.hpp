#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Platform/Accessibility/SimulatedAccessibilityTrust.hpp"
#include "Platform/Clock/VirtualUptimeClock.hpp"
#include "Platform/Dispatch/VirtualScheduler.hpp"
#include "Platform/Foundation/UserDefaults.hpp"
#include "Platform/HID/VirtualHIDDeviceService.hpp"
#include "Platform/Logging/RecordingLogSink.hpp"
#include "Platform/Quartz/EventSystem.hpp"
#include "Platform/RunLoop/SystemThreadLauncher.hpp"
#include "Platform/Session/KeyStroke.hpp"
#include "Platform/Session/PointerButton.hpp"
#include "Platform/Session/SessionConfiguration.hpp"
#include "Platform/Session/SessionObservation.hpp"
#include "Platform/Session/SimulatedInputMethod.hpp"
#include "Platform/Session/TapStalledError.hpp"
#include "Platform/TextInputSources/InputSourceService.hpp"

namespace tessaril::platform {

// A login session on virtual time that connects the keyboard-side stand-ins as the operating system
// connects them: hardware key events and the virtual HID keyboards' reports pass the session's event
// taps, posted synthetic events pass them too, what leaves the taps reaches the session's input
// method, and pointer buttons, the Accessibility permission and the system's disabling of taps can be
// driven by hand. Everything observable (tap answers, HID reports, input-source selections, posted
// events) goes to the observer, in order, stamped with the virtual time.
//
// Determinism: the application's event tap runs on a real thread and the event system hands events to
// it asynchronously. The session therefore delivers one hardware event at a time and waits (bounded)
// until the event system is idle, so the tap has answered and everything the answer caused has been
// queued on the virtual executors before anything else happens. Every other piece of work runs on the
// driving thread inside the scheduler, in virtual-time order.
//
// Threads: one driving thread (the thread that creates the session) calls everything and plays the
// main thread; the event system calls back on the tap thread only into `deliveredMutex_`-guarded state.
class SimulatedSession {
public:
    using Observer = std::function<void(const SessionObservation&)>;

    // How long the session waits for the event tap to answer one event.
    static constexpr std::chrono::seconds tapAnswerBound{10};

    // InputSourceNotInstalledError when the current source or a target names no configured source.
    explicit SimulatedSession(const SessionConfiguration& configuration);
    ~SimulatedSession();
    SimulatedSession(const SimulatedSession&) = delete;
    SimulatedSession& operator=(const SimulatedSession&) = delete;

    // The stand-ins the application is built on.
    VirtualUptimeClock& clock() { return clock_; }
    VirtualScheduler& mainQueue() { return scheduler_; }
    EventSystem& events() { return events_; }
    const std::shared_ptr<VirtualHIDDeviceService>& hidDevices() { return hidDevices_; }
    InputSourceService& inputSources() { return inputSources_; }
    SimulatedAccessibilityTrust& accessibility() { return accessibility_; }
    UserDefaults& defaults() { return defaults_; }
    const std::shared_ptr<RecordingLogSink>& logSink() { return logSink_; }
    ThreadLauncher& threads() { return threads_; }

    // Set once, before the first step.
    void setObserver(Observer observer) { observer_ = std::move(observer); }

    // Hardware events now; each answers whether the taps swallowed it.
    bool flagsChanged(const KeyStroke& stroke);
    bool keyDown(const KeyStroke& stroke);
    bool keyUp(const KeyStroke& stroke);
    void pointerButtonDown(PointerButton button);
    // The user picks a source; false when no installed source has that identifier.
    bool selectInputSource(const std::string& sourceID);
    void setAccessibilityTrusted(bool trusted) { accessibility_.setTrusted(trusted); }
    // The system disables every enabled tap (`tapDisabledByTimeout` or `tapDisabledByUserInput`).
    void disableTaps(EventType reason);

    // For a session that real time drives (the running application): `wake` is called from any thread,
    // never while the driving thread waits for it, whenever work for the driving thread arrives (a block
    // posted on the session's timeline, an event that left the taps); `realNanoseconds` is real time as
    // the session's clock counts it (see `VirtualScheduler::followRealTime`). Empty functions stop it.
    void followRealTime(std::function<void()> wake, std::function<std::uint64_t()> realNanoseconds);
    // When the driving thread next has work to do: now while events that left the taps wait, else when
    // the earliest block falls due; none when nothing waits.
    std::optional<std::uint64_t> nextWorkNanoseconds();

    // Runs what is ready without moving time.
    void runReadyWork();
    // Moves virtual time forward to `milliseconds`, running everything that falls due in time order.
    void advanceTo(std::uint64_t milliseconds);
    std::uint64_t nowMilliseconds() const { return scheduler_.nowMilliseconds(); }

    // Reports the posted events not reported yet. Whoever records observations of its own in the same
    // transcript calls this first, so that events posted before come before them.
    void reportPendingObservations();

    // The identifier of the current source; none when there is none.
    std::optional<std::string> currentInputSourceID() const;

private:
    bool deliverHardwareEvent(EventType type, const KeyStroke& stroke);
    void waitForTaps();
    void handleDeliveredEvents();
    void handleHIDReport(const HIDInputReport& report);
    void handleDispatcherSelection(const InputSourceSelectionRecord& record);
    void report(SessionObservation::Payload payload);
    InputSourceRef sourceNamed(const std::string& sourceID) const;

    VirtualUptimeClock clock_;
    VirtualScheduler scheduler_;
    EventSystem events_;
    std::shared_ptr<Executor> hidCompletions_;
    std::shared_ptr<VirtualHIDDeviceService> hidDevices_;
    InputSourceService inputSources_;
    SimulatedAccessibilityTrust accessibility_;
    UserDefaults defaults_;
    std::shared_ptr<RecordingLogSink> logSink_ = std::make_shared<RecordingLogSink>();
    SystemThreadLauncher threads_;

    std::map<std::string, InputSourceRef> sourcesByID_;
    std::optional<SimulatedInputMethod> inputMethod_;
    Observer observer_;
    std::size_t reportedPostedEvents_ = 0;
    // The usages each virtual keyboard holds down, by device, from its latest report.
    std::map<std::uint64_t, std::set<std::uint8_t>> heldUsages_;

    // Events that left the taps, handed over by the thread that passed them on last.
    std::mutex deliveredMutex_;
    std::deque<Event> delivered_;
    // Guarded by `deliveredMutex_`.
    std::function<void()> wake_;
};

} // namespace tessaril::platform
