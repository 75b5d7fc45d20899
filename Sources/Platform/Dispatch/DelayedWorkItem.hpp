#pragma once

#include <atomic>
#include <memory>

namespace tessaril::platform {

// The handle of a block posted to run later: cancelling it before it runs keeps it from running.
// Copies share one state; cancel and ask from any thread. A default handle refers to nothing.
class DelayedWorkItem {
public:
    DelayedWorkItem() = default;
    static DelayedWorkItem make() { return DelayedWorkItem(std::make_shared<std::atomic<bool>>(false)); }

    void cancel() const {
        if (cancelled_) cancelled_->store(true);
    }
    bool isCancelled() const { return cancelled_ && cancelled_->load(); }

    friend bool operator==(const DelayedWorkItem&, const DelayedWorkItem&) = default;

private:
    explicit DelayedWorkItem(std::shared_ptr<std::atomic<bool>> cancelled) : cancelled_(std::move(cancelled)) {}

    std::shared_ptr<std::atomic<bool>> cancelled_;
};

} // namespace tessaril::platform
