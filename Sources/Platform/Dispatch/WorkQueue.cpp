#include "Platform/Dispatch/WorkQueue.hpp"

namespace tessaril::platform {

DelayedWorkItem WorkQueue::enqueue(std::chrono::nanoseconds delay, Executor::Block block) {
    auto item = DelayedWorkItem::make();
    std::lock_guard lock(mutex_);
    if (stopped_) return item;
    auto due = Clock::now() + (delay.count() > 0 ? delay : std::chrono::nanoseconds(0));
    entries_.emplace(Key{due, nextSequence_++}, Entry{std::move(block), item});
    // Under the lock: once the block has run, its owner may destroy the queue at once, and `stop` takes
    // this lock first, so the notification has ended by then.
    changed_.notify_all();
    return item;
}

void WorkQueue::runUntilStopped() {
    std::unique_lock lock(mutex_);
    while (!stopped_) {
        if (entries_.empty()) {
            changed_.wait(lock);
            continue;
        }
        auto first = entries_.begin();
        if (first->first.first > Clock::now()) {
            changed_.wait_until(lock, first->first.first);
            continue;
        }
        Entry entry = std::move(first->second);
        entries_.erase(first);
        lock.unlock();
        if (!entry.item.isCancelled()) entry.block();
        entry = Entry{};
        lock.lock();
    }
    // Dropped blocks are destroyed outside the lock: their captures may post here again.
    auto dropped = std::move(entries_);
    entries_.clear();
    lock.unlock();
}

void WorkQueue::stop() {
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
}

std::size_t WorkQueue::pendingCount() const {
    std::lock_guard lock(mutex_);
    return entries_.size();
}

} // namespace tessaril::platform
