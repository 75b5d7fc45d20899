#include "Platform/Dispatch/MainQueueExecutor.hpp"

namespace tessaril::platform {

void MainQueueExecutor::post(Block block) { queue_.enqueue(std::chrono::nanoseconds(0), std::move(block)); }

DelayedWorkItem MainQueueExecutor::postAfter(std::chrono::nanoseconds delay, Block block) {
    return queue_.enqueue(delay, std::move(block));
}

bool MainQueueExecutor::isCurrent() const { return std::this_thread::get_id() == mainThread_.load(); }

void MainQueueExecutor::runUntilStopped() {
    mainThread_.store(std::this_thread::get_id());
    queue_.runUntilStopped();
    mainThread_.store(std::thread::id());
}

void MainQueueExecutor::stop() { queue_.stop(); }

} // namespace tessaril::platform
