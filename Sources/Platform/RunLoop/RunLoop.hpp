#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "Platform/RunLoop/RunLoopSource.hpp"

namespace tessaril::platform {

// One thread's run loop (only the common modes exist): `run` performs signalled sources and queued
// blocks on the owning thread until `stop`. `performBlock`, `wakeUp` and `stop` may come from any
// thread; a queued block waits for the next wake-up, as on the real system. Lock: `mutex_`, never
// held while a block or a source performs, never taken while a source's lock is held.
class RunLoop : public std::enable_shared_from_this<RunLoop> {
public:
    // The calling thread's run loop, made on first use and kept until the thread ends.
    static std::shared_ptr<RunLoop> current();

    void addSource(const std::shared_ptr<RunLoopSource>& source);
    void removeSource(const std::shared_ptr<RunLoopSource>& source);
    bool containsSource(const std::shared_ptr<RunLoopSource>& source) const;

    // Runs until `stop` (on the owning thread only).
    void run();
    void performBlock(std::function<void()> block);
    void wakeUp();
    // Makes the running `run` return after its current pass; no effect on a loop that is not running.
    void stop();
    bool isRunning() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable woken_;
    std::vector<std::shared_ptr<RunLoopSource>> sources_;
    std::vector<std::function<void()>> blocks_;
    bool wakeRequested_ = false;
    bool running_ = false;
    bool stopRequested_ = false;
};

} // namespace tessaril::platform
