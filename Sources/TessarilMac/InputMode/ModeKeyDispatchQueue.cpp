#include "TessarilMac/InputMode/ModeKeyDispatchQueue.hpp"

#include <atomic>
#include <deque>
#include <mutex>
#include <utility>

namespace tessaril {

struct ModeKeyDispatchQueue::State {
    State(platform::Executor& workerExecutor, Send sendOperation)
        : executor(workerExecutor), send(std::move(sendOperation)) {}

    platform::Executor& executor;
    const Send send;

    std::mutex lock;
    std::uint64_t generation = 0;
    std::deque<Request> pending;
    bool workerScheduled = false; // a drain is posted or a send is in progress
    bool finished = false;

    std::uint64_t currentGeneration() {
        std::lock_guard guard(lock);
        return generation;
    }
};

namespace {

using State = ModeKeyDispatchQueue::State;

void drain(const std::weak_ptr<State>& weakState);

void scheduleDrain(const std::shared_ptr<State>& state) {
    state->executor.post([weakState = std::weak_ptr<State>(state)] { drain(weakState); });
}

// The check handed to `send`: still the same generation, and the request's own check still holds.
ModeKeyDispatchQueue::IsCurrent stillCurrentCheck(const std::shared_ptr<State>& state,
                                                  const ModeKeyDispatchQueue::Request& request) {
    return [weakState = std::weak_ptr<State>(state), generation = request.generation, isCurrent = request.isCurrent] {
        const auto current = weakState.lock();
        if (!current || current->currentGeneration() != generation) return false;
        return !isCurrent || isCurrent();
    };
}

// Called once by `send`; later calls are ignored so that one send cannot start two drains.
std::function<void()> finishedCallback(const std::shared_ptr<State>& state) {
    return [weakState = std::weak_ptr<State>(state), called = std::make_shared<std::atomic<bool>>(false)] {
        if (called->exchange(true)) return;
        if (const auto current = weakState.lock()) scheduleDrain(current);
    };
}

void drain(const std::weak_ptr<State>& weakState) {
    const auto state = weakState.lock();
    if (!state) return;
    for (;;) {
        ModeKeyDispatchQueue::Request request;
        std::uint64_t generation = 0;
        {
            std::lock_guard guard(state->lock);
            if (state->finished || state->pending.empty()) {
                state->workerScheduled = false;
                return;
            }
            request = std::move(state->pending.front());
            state->pending.pop_front();
            generation = state->generation;
        }
        // Outside the lock: the request's own check takes the controller's lock.
        if (request.generation != generation) continue;
        if (request.isCurrent && !request.isCurrent()) continue;
        state->send(request.mode, stillCurrentCheck(state, request), finishedCallback(state));
        return; // the next drain is posted when `send` finishes
    }
}

} // namespace

ModeKeyDispatchQueue::ModeKeyDispatchQueue(platform::Executor& workerExecutor, Send send)
    : state_(std::make_shared<State>(workerExecutor, std::move(send))) {}

ModeKeyDispatchQueue::~ModeKeyDispatchQueue() {
    std::deque<Request> dropped;
    {
        std::lock_guard guard(state_->lock);
        state_->finished = true;
        dropped.swap(state_->pending);
    }
}

void ModeKeyDispatchQueue::enqueue(InputMode mode, IsCurrent isCurrent) {
    bool startWorker = false;
    {
        std::lock_guard guard(state_->lock);
        state_->pending.push_back(Request{mode, state_->generation, std::move(isCurrent)});
        startWorker = !state_->workerScheduled;
        state_->workerScheduled = true;
    }
    if (startWorker) scheduleDrain(state_);
}

void ModeKeyDispatchQueue::cancelPending() {
    std::lock_guard guard(state_->lock);
    ++state_->generation;
}

} // namespace tessaril
