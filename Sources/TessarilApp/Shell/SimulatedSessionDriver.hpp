#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

#include <QTimer>

#include "Platform/Session/SimulatedSession.hpp"

namespace tessaril {

// Moves a simulated login session's virtual time along with real time, so the work of its stand-ins
// (the virtual keyboard's activation and reports, input-source notifications) runs in the running
// application as it would on its own. One single-shot timer is armed for the session's next work and
// armed again whenever work arrives, from any thread; with nothing due no timer runs, so the process
// sleeps at rest. Main thread, the session's driving thread; the session wakes it from other threads.
class SimulatedSessionDriver {
public:
    // Real time as the session's clock counts it, in nanoseconds; called from any thread.
    using RealTime = std::function<std::uint64_t()>;

    // Without `realTime`, the steady clock from this moment on.
    explicit SimulatedSessionDriver(platform::SimulatedSession& session, RealTime realTime = {});
    ~SimulatedSessionDriver();
    SimulatedSessionDriver(const SimulatedSessionDriver&) = delete;
    SimulatedSessionDriver& operator=(const SimulatedSessionDriver&) = delete;

    // Runs what is due by now, then arms the timer for what comes next (what the timer does).
    void advance();
    // How long the armed timer waits; none when no timer runs.
    std::optional<std::chrono::milliseconds> armedDelay() const;

private:
    void arm();
    void wake();

    platform::SimulatedSession& session_;
    RealTime realTime_;
    QTimer timer_;
    // A wake-up is on its way to the main thread; later ones need not queue another.
    std::atomic<bool> wakePending_ = false;
};

} // namespace tessaril
