#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "Platform/Dispatch/Executor.hpp"
#include "TessarilCore/Input/InputMode.hpp"

namespace tessaril {

// Sends input-mode changes strictly in the order the keyboard pipeline decided them, one at a time,
// and drops those that became stale before their turn (`cancelPending`, or their own check turning
// false). `enqueue` and `cancelPending` may be called from any thread and only take the queue's lock;
// the worker runs on the executor given at creation, which must outlive the queue.
// Lock order: the controller's lock may be held while taking the queue's lock (`enqueue` runs under it
// on the event-tap thread), never the reverse: the queue reads its generation under its lock, releases
// it, and only then asks the request's own check (which takes the controller's lock); `send` is never
// called with the lock held either.
class ModeKeyDispatchQueue {
public:
    using IsCurrent = std::function<bool()>;
    // Sends one mode; calls `finished` exactly once when done (from any thread, possibly before
    // returning). `stillCurrent` answers whether the request is still wanted; callable from any thread.
    using Send = std::function<void(InputMode mode, IsCurrent stillCurrent, std::function<void()> finished)>;

    struct Request {
        InputMode mode;
        std::uint64_t generation;
        IsCurrent isCurrent;
    };

    ModeKeyDispatchQueue(platform::Executor& workerExecutor, Send send);
    // Drops the pending requests and stops the worker without waiting for a send in progress; that
    // send's `finished` and `stillCurrent` then do nothing and answer false.
    ~ModeKeyDispatchQueue();
    ModeKeyDispatchQueue(const ModeKeyDispatchQueue&) = delete;
    ModeKeyDispatchQueue& operator=(const ModeKeyDispatchQueue&) = delete;

    // Appends a request; an empty `isCurrent` counts as always true. Never waits beyond the lock.
    void enqueue(InputMode mode, IsCurrent isCurrent = {});
    // Makes every request enqueued so far stale.
    void cancelPending();

    struct State;

private:
    std::shared_ptr<State> state_;
};

} // namespace tessaril
