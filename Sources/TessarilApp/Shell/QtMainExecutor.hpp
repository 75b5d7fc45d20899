#pragma once

#include <chrono>
#include <memory>

#include <QObject>

#include "Platform/Dispatch/Executor.hpp"

namespace tessaril {

// The main queue of the running application: blocks run on the Qt event loop of the thread that made
// the executor (the main thread), in the order posted; a delayed block runs once its deadline on the
// steady clock has passed, to the millisecond, and never earlier. Posting from any thread.
class QtMainExecutor final : public platform::Executor {
public:
    QtMainExecutor();
    ~QtMainExecutor() override;
    QtMainExecutor(const QtMainExecutor&) = delete;
    QtMainExecutor& operator=(const QtMainExecutor&) = delete;

    void post(Block block) override;
    platform::DelayedWorkItem postAfter(std::chrono::nanoseconds delay, Block block) override;
    bool isCurrent() const override;

private:
    using Deadline = std::chrono::steady_clock::time_point;

    // On the main thread: runs the block at the deadline unless the item was cancelled.
    void arm(Deadline deadline, platform::DelayedWorkItem item, Block block);

    // Owns the pending invocations and timers: they go with it.
    std::unique_ptr<QObject> context_;
};

} // namespace tessaril
