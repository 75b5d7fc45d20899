#pragma once

#include <chrono>
#include <memory>

#include "Platform/Dispatch/Executor.hpp"

namespace tessaril::platform {

// A timer that runs a block on an executor every `interval` until it is invalidated (a repeating
// Foundation timer on the main run loop). Each firing is due one interval after the previous one
// fired. The executor must outlive the timer's pending firing. Created, fired and invalidated on the
// executor's thread.
class RepeatingTimer {
public:
    static std::shared_ptr<RepeatingTimer> schedule(Executor& executor, std::chrono::nanoseconds interval,
                                                    Executor::Block block);

    RepeatingTimer(const RepeatingTimer&) = delete;
    RepeatingTimer& operator=(const RepeatingTimer&) = delete;
    // Invalidates: a timer nobody holds never fires again.
    ~RepeatingTimer();

    void invalidate();
    bool isValid() const { return isValid_; }
    std::chrono::nanoseconds interval() const { return interval_; }

private:
    struct PrivateToken {};

public:
    RepeatingTimer(PrivateToken, Executor& executor, std::chrono::nanoseconds interval, Executor::Block block);

private:
    void scheduleNext();

    Executor& executor_;
    std::chrono::nanoseconds interval_;
    Executor::Block block_;
    DelayedWorkItem next_;
    bool isValid_ = true;
    // What the pending firing holds: it finds the timer through it only while the timer exists.
    std::shared_ptr<RepeatingTimer*> self_;
};

} // namespace tessaril::platform
