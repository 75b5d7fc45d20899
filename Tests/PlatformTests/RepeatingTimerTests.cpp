#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "Platform/Dispatch/RepeatingTimer.hpp"
#include "Platform/Dispatch/VirtualScheduler.hpp"

using namespace std::chrono_literals;
using tessaril::platform::RepeatingTimer;
using tessaril::platform::VirtualScheduler;
using tessaril::platform::VirtualUptimeClock;

namespace {

struct TimerFixture : ::testing::Test {
    VirtualUptimeClock clock;
    VirtualScheduler scheduler{clock};
    std::vector<std::uint64_t> firedAt;
};

TEST_F(TimerFixture, FiresEveryIntervalUntilInvalidatedFromItsOwnBlock) {
    std::shared_ptr<RepeatingTimer> timer;
    timer = RepeatingTimer::schedule(scheduler, 2s, [&] {
        firedAt.push_back(scheduler.nowMilliseconds());
        if (firedAt.size() == 3) timer->invalidate();
    });
    scheduler.advanceTo(20000);
    EXPECT_EQ(firedAt, (std::vector<std::uint64_t>{2000, 4000, 6000}));
    EXPECT_FALSE(timer->isValid());
}

TEST_F(TimerFixture, ATimerNobodyHoldsNeverFiresAgain) {
    auto timer = RepeatingTimer::schedule(scheduler, 1s, [&] { firedAt.push_back(scheduler.nowMilliseconds()); });
    scheduler.advanceTo(1500);
    timer.reset();
    scheduler.advanceTo(5000);
    EXPECT_EQ(firedAt, std::vector<std::uint64_t>{1000});
}

} // namespace
