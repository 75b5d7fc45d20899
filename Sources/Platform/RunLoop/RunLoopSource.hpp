#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace tessaril::platform {

class RunLoop;

// Work that a run loop performs when the source has been signalled (what a mach-port source does
// when a message arrives). `signal` and `invalidate` from any thread; `perform` runs on the thread of
// the run loop that holds the source. Lock: `mutex_` guards the list of run loops only.
class RunLoopSource {
public:
    explicit RunLoopSource(std::function<void()> perform) : perform_(std::move(perform)) {}

    void signal();
    void invalidate() { valid_.store(false); }
    bool isValid() const { return valid_.load(); }
    bool isSignalled() const { return signalled_.load(); }

private:
    friend class RunLoop;
    void attach(const std::shared_ptr<RunLoop>& loop);
    void detach(const RunLoop* loop);
    // Clears the signal and performs once when it was set and the source is valid.
    void performIfSignalled();

    std::function<void()> perform_;
    std::atomic<bool> signalled_{false};
    std::atomic<bool> valid_{true};
    std::mutex mutex_;
    std::vector<std::weak_ptr<RunLoop>> loops_;
};

} // namespace tessaril::platform
