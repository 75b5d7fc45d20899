#include "Platform/RunLoop/RunLoopSource.hpp"

#include <algorithm>

#include "Platform/RunLoop/RunLoop.hpp"

namespace tessaril::platform {

void RunLoopSource::signal() {
    signalled_.store(true);
    std::vector<std::weak_ptr<RunLoop>> loops;
    {
        std::lock_guard lock(mutex_);
        loops = loops_;
    }
    for (const auto& weakLoop : loops) {
        if (auto loop = weakLoop.lock()) loop->wakeUp();
    }
}

void RunLoopSource::attach(const std::shared_ptr<RunLoop>& loop) {
    std::lock_guard lock(mutex_);
    loops_.push_back(loop);
}

void RunLoopSource::detach(const RunLoop* loop) {
    std::lock_guard lock(mutex_);
    std::erase_if(loops_, [loop](const std::weak_ptr<RunLoop>& candidate) {
        auto held = candidate.lock();
        return !held || held.get() == loop;
    });
}

void RunLoopSource::performIfSignalled() {
    if (signalled_.exchange(false) && valid_.load()) perform_();
}

} // namespace tessaril::platform
