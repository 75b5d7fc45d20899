#include "Platform/Dispatch/VirtualScheduler.hpp"

#include <map>
#include <mutex>
#include <thread>
#include <utility>

namespace tessaril::platform {

namespace {
constexpr std::uint64_t nanosecondsPerMillisecond = 1'000'000;
} // namespace

struct VirtualScheduler::State {
    struct Entry {
        Block block;
        DelayedWorkItem item;
        const void* lane;
    };
    using Key = std::pair<std::uint64_t, std::uint64_t>;

    explicit State(VirtualUptimeClock& uptime) : clock(uptime), drivingThread(std::this_thread::get_id()) {}

    DelayedWorkItem enqueue(std::chrono::nanoseconds delay, Block block, const void* lane) {
        auto item = DelayedWorkItem::make();
        std::uint64_t offset = delay.count() > 0 ? static_cast<std::uint64_t>(delay.count()) : 0;
        {
            std::lock_guard lock(mutex);
            // Blocks that are running stand at their due time; only an idle timeline is behind.
            if (leadingNanoseconds && runDepth == 0) {
                const std::uint64_t leading = leadingNanoseconds();
                if (leading > clock.uptimeNanoseconds()) clock.set(leading);
            }
            entries.emplace(Key{clock.uptimeNanoseconds() + offset, nextSequence++}, Entry{std::move(block), item, lane});
        }
        std::lock_guard lock(wakeMutex);
        if (wake) wake();
        return item;
    }

    std::optional<std::uint64_t> nextDue() const {
        std::lock_guard lock(mutex);
        for (const auto& [key, entry] : entries) {
            if (!entry.item.isCancelled()) return key.first;
        }
        return std::nullopt;
    }

    bool isRunning(const void* lane) const {
        std::lock_guard lock(mutex);
        return std::this_thread::get_id() == drivingThread && runningLane == lane;
    }

    std::size_t runDueUntil(std::uint64_t limitNanoseconds) {
        std::size_t ran = 0;
        std::unique_lock lock(mutex);
        drivingThread = std::this_thread::get_id();
        ++runDepth;
        while (!entries.empty() && entries.begin()->first.first <= limitNanoseconds) {
            auto first = entries.begin();
            if (first->first.first > clock.uptimeNanoseconds()) clock.set(first->first.first);
            Entry entry = std::move(first->second);
            entries.erase(first);
            bool cancelled = entry.item.isCancelled();
            runningLane = entry.lane;
            lock.unlock();
            if (!cancelled) {
                entry.block();
                ++ran;
            }
            entry = Entry{};
            lock.lock();
            runningLane = nullptr;
        }
        if (limitNanoseconds > clock.uptimeNanoseconds()) clock.set(limitNanoseconds);
        --runDepth;
        return ran;
    }

    VirtualUptimeClock& clock;
    mutable std::mutex mutex;
    std::map<Key, Entry> entries;
    std::uint64_t nextSequence = 0;
    std::thread::id drivingThread;
    const void* runningLane = nullptr;
    int runDepth = 0;
    // Guarded by `mutex`; set before other threads post.
    std::function<std::uint64_t()> leadingNanoseconds;
    // Held while `wake` runs, so clearing it waits for a call in progress. Taken after `mutex` is released.
    std::mutex wakeMutex;
    std::function<void()> wake;
};

namespace {

// A serial executor of the scheduler; runs its blocks on the scheduler's timeline.
class VirtualLane final : public Executor {
public:
    VirtualLane(std::weak_ptr<VirtualScheduler::State> state, std::string name)
        : state_(std::move(state)), name_(std::move(name)) {}

    void post(Block block) override { postAfter(std::chrono::nanoseconds(0), std::move(block)); }
    DelayedWorkItem postAfter(std::chrono::nanoseconds delay, Block block) override {
        auto state = state_.lock();
        if (!state) return {};
        return state->enqueue(delay, std::move(block), this);
    }
    bool isCurrent() const override {
        auto state = state_.lock();
        return state && state->isRunning(this);
    }

private:
    std::weak_ptr<VirtualScheduler::State> state_;
    std::string name_;
};

} // namespace

VirtualScheduler::VirtualScheduler(VirtualUptimeClock& clock) : state_(std::make_shared<State>(clock)) {}

VirtualScheduler::~VirtualScheduler() {
    // Blocks may own executors or other objects that post here while they are destroyed.
    std::map<State::Key, State::Entry> dropped;
    {
        std::lock_guard lock(state_->mutex);
        dropped.swap(state_->entries);
    }
}

void VirtualScheduler::post(Block block) { state_->enqueue(std::chrono::nanoseconds(0), std::move(block), nullptr); }

DelayedWorkItem VirtualScheduler::postAfter(std::chrono::nanoseconds delay, Block block) {
    return state_->enqueue(delay, std::move(block), nullptr);
}

bool VirtualScheduler::isCurrent() const { return state_->isRunning(nullptr); }

std::shared_ptr<Executor> VirtualScheduler::makeSerialExecutor(std::string name) {
    return std::make_shared<VirtualLane>(state_, std::move(name));
}

std::size_t VirtualScheduler::runUntilIdle() { return state_->runDueUntil(state_->clock.uptimeNanoseconds()); }

std::size_t VirtualScheduler::advanceTo(std::uint64_t uptimeMilliseconds) {
    return state_->runDueUntil(uptimeMilliseconds * nanosecondsPerMillisecond);
}

std::size_t VirtualScheduler::advanceBy(std::uint64_t milliseconds) {
    return state_->runDueUntil(state_->clock.uptimeNanoseconds() + milliseconds * nanosecondsPerMillisecond);
}

std::uint64_t VirtualScheduler::nowMilliseconds() const {
    return state_->clock.uptimeNanoseconds() / nanosecondsPerMillisecond;
}

std::size_t VirtualScheduler::pendingCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->entries.size();
}

std::optional<std::uint64_t> VirtualScheduler::nextDueNanoseconds() const { return state_->nextDue(); }

void VirtualScheduler::followRealTime(std::function<void()> wake, std::function<std::uint64_t()> leadingNanoseconds) {
    {
        std::lock_guard lock(state_->mutex);
        state_->leadingNanoseconds = std::move(leadingNanoseconds);
    }
    std::lock_guard lock(state_->wakeMutex);
    state_->wake = std::move(wake);
}

} // namespace tessaril::platform
