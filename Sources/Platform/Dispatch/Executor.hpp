#pragma once

#include <chrono>
#include <functional>

#include "Platform/Dispatch/DelayedWorkItem.hpp"

namespace tessaril::platform {

// A queue that runs posted blocks one at a time in the order posted (the main queue, a serial
// queue). `post` and `postAfter` may be called from any thread.
class Executor {
public:
    using Block = std::function<void()>;

    virtual ~Executor() = default;

    virtual void post(Block block) = 0;
    // Runs the block once `delay` has passed, unless the returned item is cancelled first.
    virtual DelayedWorkItem postAfter(std::chrono::nanoseconds delay, Block block) = 0;
    // Whether the calling code is running on this executor (for the main executor: on the main thread).
    virtual bool isCurrent() const = 0;
};

} // namespace tessaril::platform
