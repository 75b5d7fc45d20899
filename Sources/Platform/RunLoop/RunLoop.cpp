#include "Platform/RunLoop/RunLoop.hpp"

#include <algorithm>

namespace tessaril::platform {

std::shared_ptr<RunLoop> RunLoop::current() {
    thread_local std::shared_ptr<RunLoop> loop = std::make_shared<RunLoop>();
    return loop;
}

void RunLoop::addSource(const std::shared_ptr<RunLoopSource>& source) {
    {
        std::lock_guard lock(mutex_);
        if (std::find(sources_.begin(), sources_.end(), source) != sources_.end()) return;
        sources_.push_back(source);
    }
    // Attach before looking at the signal: a signal that comes before the attach is seen here, one
    // that comes after wakes this loop itself, so none is lost in between.
    source->attach(shared_from_this());
    if (source->isSignalled()) wakeUp();
}

void RunLoop::removeSource(const std::shared_ptr<RunLoopSource>& source) {
    {
        std::lock_guard lock(mutex_);
        auto found = std::find(sources_.begin(), sources_.end(), source);
        if (found == sources_.end()) return;
        sources_.erase(found);
    }
    source->detach(this);
}

bool RunLoop::containsSource(const std::shared_ptr<RunLoopSource>& source) const {
    std::lock_guard lock(mutex_);
    return std::find(sources_.begin(), sources_.end(), source) != sources_.end();
}

void RunLoop::run() {
    std::unique_lock lock(mutex_);
    running_ = true;
    stopRequested_ = false;
    while (!stopRequested_) {
        woken_.wait(lock, [this] { return wakeRequested_ || stopRequested_; });
        wakeRequested_ = false;
        auto blocks = std::move(blocks_);
        blocks_.clear();
        auto sources = sources_;
        lock.unlock();
        for (auto& block : blocks) block();
        for (const auto& source : sources) source->performIfSignalled();
        blocks.clear();
        lock.lock();
    }
    running_ = false;
    stopRequested_ = false;
}

void RunLoop::performBlock(std::function<void()> block) {
    std::lock_guard lock(mutex_);
    blocks_.push_back(std::move(block));
}

void RunLoop::wakeUp() {
    {
        std::lock_guard lock(mutex_);
        wakeRequested_ = true;
    }
    woken_.notify_all();
}

void RunLoop::stop() {
    {
        std::lock_guard lock(mutex_);
        if (!running_) return;
        stopRequested_ = true;
    }
    woken_.notify_all();
}

bool RunLoop::isRunning() const {
    std::lock_guard lock(mutex_);
    return running_;
}

} // namespace tessaril::platform
