#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <memory>
#include <string>
#include <vector>

#include "Platform/Clock/VirtualUptimeClock.hpp"
#include "Platform/Dispatch/MainQueueExecutor.hpp"
#include "Platform/Dispatch/VirtualScheduler.hpp"
#include "Platform/Logging/RecordingLogSink.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"
#include "TessarilMac/Pipeline/KeyboardEventController.hpp"

namespace tessaril::testing {

// Key codes of the keys the controller tests press.
namespace key_code {
inline constexpr std::uint16_t a = 0;
inline constexpr std::uint16_t c = 8;
inline constexpr std::uint16_t q = 12;
inline constexpr std::uint16_t returnKey = 36;
inline constexpr std::uint16_t rightCommand = 54;
inline constexpr std::uint16_t leftCommand = 55;
inline constexpr std::uint16_t leftShift = 56;
inline constexpr std::uint16_t capsLock = 57;
inline constexpr std::uint16_t leftOption = 58;
inline constexpr std::uint16_t rightShift = 60;
inline constexpr std::uint16_t keypadPeriod = 65;
inline constexpr std::uint16_t keypadEqual = 81;
inline constexpr std::uint16_t jisEisu = 102;
inline constexpr std::uint16_t jisKana = 104;
} // namespace key_code

using Modifiers = KeyboardInputEvent::Modifiers;
inline constexpr Modifiers noModifiers{};

// A controller on a virtual main queue whose callbacks write what they are asked into one ordered
// list of lines ("request eisu", "text 、", "cancelPending", "pointer 0.250" …).
struct ControllerHarness {
    platform::VirtualUptimeClock clock;
    platform::VirtualScheduler scheduler{clock};
    std::shared_ptr<platform::RecordingLogSink> logSink = std::make_shared<platform::RecordingLogSink>();
    std::vector<std::string> calls;
    std::vector<KeyboardEventController::StalenessCheck> requestChecks;
    bool pointerButtonAnswer = false;
    // Off: events are handled at the current virtual time and the main queue keeps what they queue.
    bool runsDueWorkBeforeEachEvent = true;
    std::shared_ptr<KeyboardEventController> controller;

    explicit ControllerHarness(TessarilSettings settings = TessarilSettings(), bool withRequestCallback = true);

    // The event at `timeMilliseconds`: virtual time first advances there (running what falls due).
    KeyboardInputDecision flags(std::uint16_t keyCode, Modifiers modifiers, std::int64_t timeMilliseconds,
                                std::int64_t keyboardType = 40);
    KeyboardInputDecision down(std::uint16_t keyCode, Modifiers modifiers, std::int64_t timeMilliseconds,
                               std::int64_t keyboardType = 40, bool isSynthetic = false);
    KeyboardInputDecision up(std::uint16_t keyCode, Modifiers modifiers, std::int64_t timeMilliseconds,
                             std::int64_t keyboardType = 40);
    KeyboardInputDecision send(KeyboardInputEvent::Kind kind, std::uint16_t keyCode, Modifiers modifiers,
                               std::int64_t timeMilliseconds, std::int64_t keyboardType, bool isSynthetic);

    // A left-Command tap: down at `downMilliseconds`, up `holdMilliseconds` later.
    void tapLeftCommand(std::int64_t downMilliseconds, std::int64_t holdMilliseconds = 120, std::int64_t keyboardType = 40);

    // Runs what the main queue holds now; answers the lines written so far and clears them.
    std::vector<std::string> drainCalls();
    std::vector<std::string> takeCalls();
    std::vector<std::string> keyboardLog() const;
};

// A real main queue on a thread of its own, for the threaded tests.
struct RealMainThread {
    platform::MainQueueExecutor executor;
    std::thread thread{[this] { executor.runUntilStopped(); }};

    // Runs `body` on the main thread and waits for it.
    void run(const std::function<void()>& body);
    ~RealMainThread();
};

// Aborts the test program when the scope it guards has not ended within the limit, so a deadlock in a
// threaded test fails the run instead of hanging it.
class Watchdog {
public:
    Watchdog(std::chrono::seconds limit, std::string what);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    std::thread thread_;
};

} // namespace tessaril::testing
