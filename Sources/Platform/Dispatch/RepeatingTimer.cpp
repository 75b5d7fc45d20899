#include "Platform/Dispatch/RepeatingTimer.hpp"

namespace tessaril::platform {

std::shared_ptr<RepeatingTimer> RepeatingTimer::schedule(Executor& executor, std::chrono::nanoseconds interval,
                                                         Executor::Block block) {
    auto timer = std::make_shared<RepeatingTimer>(PrivateToken{}, executor, interval, std::move(block));
    timer->scheduleNext();
    return timer;
}

RepeatingTimer::RepeatingTimer(PrivateToken, Executor& executor, std::chrono::nanoseconds interval,
                               Executor::Block block)
    : executor_(executor), interval_(interval), block_(std::move(block)),
      self_(std::make_shared<RepeatingTimer*>(this)) {}

RepeatingTimer::~RepeatingTimer() { invalidate(); }

void RepeatingTimer::invalidate() {
    isValid_ = false;
    next_.cancel();
}

void RepeatingTimer::scheduleNext() {
    std::weak_ptr<RepeatingTimer*> weakSelf = self_;
    next_ = executor_.postAfter(interval_, [weakSelf] {
        auto self = weakSelf.lock();
        if (!self || !(*self)->isValid_) return;
        RepeatingTimer& timer = **self;
        // The next firing is due before this one runs, as a repeating timer's is; the block may
        // invalidate the timer, which cancels it.
        timer.scheduleNext();
        auto block = timer.block_;
        block();
    });
}

} // namespace tessaril::platform
