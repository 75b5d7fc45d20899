#include "Platform/Dispatch/SerialExecutor.hpp"

namespace tessaril::platform {

SerialExecutor::SerialExecutor(std::string name) : thread_(std::move(name), [this] { queue_.runUntilStopped(); }) {}

SerialExecutor::~SerialExecutor() {
    queue_.stop();
    thread_.join();
}

void SerialExecutor::post(Block block) { queue_.enqueue(std::chrono::nanoseconds(0), std::move(block)); }

DelayedWorkItem SerialExecutor::postAfter(std::chrono::nanoseconds delay, Block block) {
    return queue_.enqueue(delay, std::move(block));
}

bool SerialExecutor::isCurrent() const { return std::this_thread::get_id() == thread_.id(); }

} // namespace tessaril::platform
