#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Platform/Clock/VirtualUptimeClock.hpp"
#include "Platform/Dispatch/Executor.hpp"

namespace tessaril::platform {

// Deterministic executors on virtual time for tests. The scheduler itself is the main executor; it
// hands out serial executors (lanes) that share its timeline, so work of the main queue, a serial
// queue and delayed items runs in one reproducible order: by due time, then by posting order.
// Blocks run only inside `runUntilIdle`/`advanceTo`/`advanceBy`, on the thread that calls them (the
// test's main thread); posting is allowed from any thread, so real threads can hand work to it.
// Lanes hold the scheduler weakly and post nothing once it is gone.
class VirtualScheduler final : public Executor {
public:
    // The clock is moved forward as time advances; it must outlive the scheduler.
    explicit VirtualScheduler(VirtualUptimeClock& clock);
    ~VirtualScheduler() override;
    VirtualScheduler(const VirtualScheduler&) = delete;
    VirtualScheduler& operator=(const VirtualScheduler&) = delete;

    void post(Block block) override;
    DelayedWorkItem postAfter(std::chrono::nanoseconds delay, Block block) override;
    // True on the driving thread while no lane's block is running.
    bool isCurrent() const override;

    // A serial executor on the same timeline; its `isCurrent` is true while one of its blocks runs.
    std::shared_ptr<Executor> makeSerialExecutor(std::string name);

    // Runs everything due now, including what those blocks post for now. Returns the number run.
    std::size_t runUntilIdle();
    // Runs, in time order, everything due up to the given uptime; the clock stands at each block's due
    // time while it runs and at the target afterwards (never moved backwards).
    std::size_t advanceTo(std::uint64_t uptimeMilliseconds);
    std::size_t advanceBy(std::uint64_t milliseconds);

    std::uint64_t nowMilliseconds() const;
    // Blocks waiting, cancelled ones included until their time comes.
    std::size_t pendingCount() const;
    // When the earliest block that is not cancelled falls due; none when nothing waits.
    std::optional<std::uint64_t> nextDueNanoseconds() const;

    // For a scheduler that real time drives (the running application). `wake` is called on the
    // posting thread after every post, outside the scheduler's lock, so the driver can arm itself for
    // the new block; it must not post. `leadingNanoseconds` is the real time as the virtual clock
    // counts it: each post first brings the clock up to it, so a delay counts from when it was asked
    // for, however long the scheduler sat idle. Set both before work is posted from other threads.
    void followRealTime(std::function<void()> wake, std::function<std::uint64_t()> leadingNanoseconds);

    struct State;

private:
    std::shared_ptr<State> state_;
};

} // namespace tessaril::platform
