#include "TessarilApp/Shell/SimulatedSessionDriver.hpp"

#include <algorithm>

#include <QMetaObject>

namespace tessaril {

namespace {

constexpr std::uint64_t nanosecondsPerMillisecond = 1'000'000;
// Work further away is reached by arming again when this much has passed.
constexpr std::uint64_t longestWaitMilliseconds = 3'600'000;

SimulatedSessionDriver::RealTime steadyClockFromNow() {
    return [start = std::chrono::steady_clock::now()] {
        return static_cast<std::uint64_t>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count());
    };
}

} // namespace

SimulatedSessionDriver::SimulatedSessionDriver(platform::SimulatedSession& session, RealTime realTime)
    : session_(session), realTime_(realTime ? std::move(realTime) : steadyClockFromNow()) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { advance(); });
    session_.followRealTime([this] { wake(); }, realTime_);
    arm();
}

SimulatedSessionDriver::~SimulatedSessionDriver() {
    // Waits for a wake-up in progress on another thread; one already queued dies with the timer.
    session_.followRealTime({}, {});
}

void SimulatedSessionDriver::advance() {
    // The session counts whole milliseconds; it never moves backwards.
    session_.advanceTo(realTime_() / nanosecondsPerMillisecond);
    arm();
}

std::optional<std::chrono::milliseconds> SimulatedSessionDriver::armedDelay() const {
    if (!timer_.isActive()) return std::nullopt;
    return std::chrono::milliseconds(timer_.interval());
}

void SimulatedSessionDriver::arm() {
    const auto next = session_.nextWorkNanoseconds();
    if (!next) {
        timer_.stop();
        return;
    }
    // Fire at the first whole millisecond at or after the due time, where `advance` reaches it.
    const std::uint64_t dueMilliseconds = (*next + nanosecondsPerMillisecond - 1) / nanosecondsPerMillisecond;
    const std::uint64_t now = realTime_();
    const std::uint64_t due = dueMilliseconds * nanosecondsPerMillisecond;
    const std::uint64_t waitMilliseconds = due > now ? (due - now + nanosecondsPerMillisecond - 1) / nanosecondsPerMillisecond : 0;
    timer_.start(std::chrono::milliseconds(std::min(waitMilliseconds, longestWaitMilliseconds)));
}

void SimulatedSessionDriver::wake() {
    if (wakePending_.exchange(true)) return;
    QMetaObject::invokeMethod(
        &timer_,
        [this] {
            wakePending_ = false;
            arm();
        },
        Qt::QueuedConnection);
}

} // namespace tessaril
