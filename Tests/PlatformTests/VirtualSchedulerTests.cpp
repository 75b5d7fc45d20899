#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "Platform/Dispatch/VirtualScheduler.hpp"

using namespace std::chrono_literals;
using tessaril::platform::VirtualScheduler;
using tessaril::platform::VirtualUptimeClock;

namespace {

struct SchedulerFixture : ::testing::Test {
    VirtualUptimeClock clock{5'000'000};
    VirtualScheduler scheduler{clock};
    std::vector<std::string> ran;
};

TEST_F(SchedulerFixture, RunsDueWorkInTimeThenPostingOrderAcrossLanes) {
    auto lane = scheduler.makeSerialExecutor("lane");
    scheduler.postAfter(30ms, [this] { ran.push_back("main+30 at " + std::to_string(clock.uptimeNanoseconds())); });
    lane->postAfter(10ms, [this] { ran.push_back("lane+10"); });
    scheduler.post([this] { ran.push_back("main+0"); });
    lane->post([this, &lane] {
        ran.push_back("lane+0");
        lane->post([this] { ran.push_back("lane+0 again"); });
    });

    EXPECT_EQ(scheduler.runUntilIdle(), 3u);
    EXPECT_EQ(ran, (std::vector<std::string>{"main+0", "lane+0", "lane+0 again"}));
    EXPECT_EQ(scheduler.nowMilliseconds(), 5u);

    ran.clear();
    EXPECT_EQ(scheduler.advanceTo(34), 1u);
    EXPECT_EQ(ran, (std::vector<std::string>{"lane+10"}));
    EXPECT_EQ(clock.uptimeNanoseconds(), 34'000'000u);

    ran.clear();
    EXPECT_EQ(scheduler.advanceBy(1), 1u);
    EXPECT_EQ(ran, (std::vector<std::string>{"main+30 at 35000000"}));
    EXPECT_EQ(scheduler.pendingCount(), 0u);
}

TEST_F(SchedulerFixture, CancelledItemsNeverRunAndTimeNeverGoesBack) {
    auto item = scheduler.postAfter(300ms, [this] { ran.push_back("cancelled"); });
    scheduler.postAfter(300ms, [this] { ran.push_back("kept"); });
    item.cancel();
    EXPECT_TRUE(item.isCancelled());
    scheduler.advanceBy(300);
    EXPECT_EQ(ran, (std::vector<std::string>{"kept"}));

    scheduler.advanceTo(1);
    EXPECT_EQ(scheduler.nowMilliseconds(), 305u);
}

TEST_F(SchedulerFixture, IsCurrentTellsMainFromLanes) {
    auto lane = scheduler.makeSerialExecutor("lane");
    std::vector<std::pair<bool, bool>> seen;  // main current, lane current
    scheduler.post([&] { seen.emplace_back(scheduler.isCurrent(), lane->isCurrent()); });
    lane->post([&] { seen.emplace_back(scheduler.isCurrent(), lane->isCurrent()); });
    scheduler.runUntilIdle();
    EXPECT_EQ(seen, (std::vector<std::pair<bool, bool>>{{true, false}, {false, true}}));

    bool currentOnOtherThread = true;
    std::thread other([&] { currentOnOtherThread = scheduler.isCurrent(); });
    other.join();
    EXPECT_FALSE(currentOnOtherThread);
}

TEST_F(SchedulerFixture, LaneOutlivingTheSchedulerPostsNothing) {
    std::shared_ptr<tessaril::platform::Executor> lane;
    {
        VirtualScheduler shortLived(clock);
        lane = shortLived.makeSerialExecutor("lane");
    }
    auto item = lane->postAfter(1ms, [this] { ran.push_back("never"); });
    EXPECT_FALSE(item.isCancelled());
    EXPECT_FALSE(lane->isCurrent());
    EXPECT_TRUE(ran.empty());
}

TEST(ThreadedVirtualScheduler, AcceptsWorkPostedFromAnotherThread) {
    VirtualUptimeClock clock;
    VirtualScheduler scheduler(clock);
    int count = 0;
    std::thread poster([&] {
        for (int index = 0; index < 100; ++index) scheduler.post([&count] { ++count; });
    });
    poster.join();
    EXPECT_EQ(scheduler.runUntilIdle(), 100u);
    EXPECT_EQ(count, 100);
}

} // namespace
