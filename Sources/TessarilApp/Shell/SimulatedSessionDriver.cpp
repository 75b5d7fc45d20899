#include "TessarilApp/Shell/SimulatedSessionDriver.hpp"

namespace tessaril {

SimulatedSessionDriver::SimulatedSessionDriver(platform::SimulatedSession& session) : session_(session) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(interval);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { advance(); });
    timer_.start();
}

void SimulatedSessionDriver::advance() {
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_);
    // Never backwards: advanceTo ignores a time already passed.
    session_.advanceTo(static_cast<std::uint64_t>(elapsed.count()));
}

} // namespace tessaril
