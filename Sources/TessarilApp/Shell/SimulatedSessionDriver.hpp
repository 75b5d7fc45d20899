#pragma once

#include <chrono>

#include <QTimer>

#include "Platform/Session/SimulatedSession.hpp"

namespace tessaril {

// Moves a simulated login session's virtual time along with real time, so the work of its stand-ins
// (the virtual keyboard's activation and reports, input-source notifications) runs in the running
// application as it would on its own. Checks every `interval`. Main thread, the session's driving thread.
class SimulatedSessionDriver {
public:
    static constexpr std::chrono::milliseconds interval{20};

    explicit SimulatedSessionDriver(platform::SimulatedSession& session);

private:
    void advance();

    platform::SimulatedSession& session_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    QTimer timer_;
};

} // namespace tessaril
