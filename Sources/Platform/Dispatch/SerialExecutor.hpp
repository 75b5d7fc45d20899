#pragma once

#include <string>

#include "Platform/Dispatch/Executor.hpp"
#include "Platform/Dispatch/WorkQueue.hpp"
#include "Platform/RunLoop/NamedThread.hpp"

namespace tessaril::platform {

// A serial queue with a thread of its own that runs its blocks in order. Posting from any thread;
// destruction (not from its own thread) stops the thread after the running block and drops the rest.
class SerialExecutor final : public Executor {
public:
    explicit SerialExecutor(std::string name);
    ~SerialExecutor() override;
    SerialExecutor(const SerialExecutor&) = delete;
    SerialExecutor& operator=(const SerialExecutor&) = delete;

    void post(Block block) override;
    DelayedWorkItem postAfter(std::chrono::nanoseconds delay, Block block) override;
    bool isCurrent() const override;

private:
    WorkQueue queue_;
    NamedThread thread_;
};

} // namespace tessaril::platform
