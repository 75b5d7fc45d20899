#pragma once

#include <atomic>
#include <thread>

#include "Platform/Dispatch/Executor.hpp"
#include "Platform/Dispatch/WorkQueue.hpp"

namespace tessaril::platform {

// The main queue of a process without a GUI event loop: the thread that calls `runUntilStopped`
// becomes the main thread and runs the blocks. Posting and `stop` from any thread.
class MainQueueExecutor final : public Executor {
public:
    void post(Block block) override;
    DelayedWorkItem postAfter(std::chrono::nanoseconds delay, Block block) override;
    bool isCurrent() const override;

    void runUntilStopped();
    void stop();

private:
    WorkQueue queue_;
    std::atomic<std::thread::id> mainThread_{};
};

} // namespace tessaril::platform
