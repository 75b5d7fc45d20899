#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "Platform/Accessibility/AccessibilityTrust.hpp"
#include "Platform/Clock/UptimeClock.hpp"
#include "Platform/Dispatch/Executor.hpp"
#include "Platform/Logging/LogSink.hpp"
#include "Platform/Quartz/EventSystem.hpp"
#include "Platform/RunLoop/ThreadLauncher.hpp"
#include "TessarilMac/EventTap/EventTapInputBackendError.hpp"
#include "TessarilMac/EventTap/EventTapInterruptionReason.hpp"
#include "TessarilMac/EventTap/EventTapMode.hpp"
#include "TessarilMac/Pipeline/KeyboardInputDecision.hpp"
#include "TessarilMac/EventTap/KeyboardInputEvent.hpp"

namespace tessaril {

class EventTapCallbackContext;
class EventTapThread;

// Key down, key up and flags changed.
inline constexpr std::uint64_t eventMask = 0x1C00;

// The function the tap calls for each event, on the tap thread; answers the event to pass on, or none
// to swallow it. `userInfo` is the running tap's EventTapCallbackContext.
platform::Event* eventTapCallback(platform::EventTapProxy proxy, platform::EventType type, platform::Event* event,
                                  void* userInfo) noexcept;

// The system's only source of keyboard events: a session-level event tap on a thread of its own
// (named with the application's reverse-DNS prefix and ".event-tap") that hands each key event to a
// handler and, when intercepting, swallows those the handler suppresses. It re-enables the tap after
// the system disabled it, reports a withdrawn permission once per start, and logs the callbacks'
// health once a minute.
//
// Threads: `start`, `stop`, `isAccessibilityTrusted` and destruction on the main thread (never `stop`
// from the tap thread); the handler, `resetBeforeReenable` and the health window on the tap thread;
// `onInterruption` on the main executor. `start` and `stop` hand-shake with the tap thread through two
// semaphores; no lock is held while waiting.
class EventTapInputBackend {
public:
    using Handler = std::function<KeyboardInputDecision(const KeyboardInputEvent&)>;

    // The platform services the backend works through; they must outlive it.
    struct Services {
        platform::EventSystem& events;
        platform::AccessibilityTrust& accessibility;
        platform::Executor& mainQueue;
        const platform::UptimeClock& clock;
        platform::ThreadLauncher& threads;
        std::shared_ptr<platform::LogSink> logSink;
    };

    EventTapInputBackend(EventTapMode mode, Services services);
    ~EventTapInputBackend();
    EventTapInputBackend(const EventTapInputBackend&) = delete;
    EventTapInputBackend& operator=(const EventTapInputBackend&) = delete;

    bool isRunning() const { return isRunning_.load(); }
    EventTapMode mode() const { return mode_; }
    bool isAccessibilityTrusted(bool prompt);

    // Replaces any running tap. Throws EventTapInputBackendError; a failed start leaves nothing running.
    void start(Handler handler, std::function<void()> resetBeforeReenable = {},
               std::function<void(EventTapInterruptionReason)> onInterruption = {});
    // Idempotent; returns once the tap thread has left its run loop, so no callback runs afterwards.
    void stop();

    // The name of the tap thread: the reverse-DNS prefix followed by ".event-tap".
    static std::string threadName();

private:
    [[noreturn]] void abandonTap(const std::shared_ptr<platform::EventTap>& tap, EventTapInputBackendError::Case reason);

    Services services_;
    std::atomic<bool> isRunning_{false};
    std::shared_ptr<platform::EventTap> eventTap_;
    std::unique_ptr<EventTapCallbackContext> callbackContext_;
    std::unique_ptr<EventTapThread> tapThread_;
    EventTapMode mode_;
};

} // namespace tessaril
