#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <utility>

#include "Platform/Dispatch/Executor.hpp"

namespace tessaril::platform {

// The queue behind the executors that run on a real thread: blocks ordered by due time on the steady
// clock, then by posting order. Any thread posts; one thread at a time drains it with `runUntilStopped`.
// Lock: `mutex_` alone, never held while a block runs.
class WorkQueue {
public:
    using Clock = std::chrono::steady_clock;

    DelayedWorkItem enqueue(std::chrono::nanoseconds delay, Executor::Block block);
    // Runs due blocks on the calling thread, waiting for more, until `stop`. Work still queued then is dropped.
    void runUntilStopped();
    void stop();
    std::size_t pendingCount() const;

private:
    struct Entry {
        Executor::Block block;
        DelayedWorkItem item;
    };
    using Key = std::pair<Clock::time_point, std::uint64_t>;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::map<Key, Entry> entries_;
    std::uint64_t nextSequence_ = 0;
    bool stopped_ = false;
};

} // namespace tessaril::platform
