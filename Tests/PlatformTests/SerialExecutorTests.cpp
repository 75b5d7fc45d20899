#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

#include "Platform/Dispatch/MainQueueExecutor.hpp"
#include "Platform/Dispatch/SerialExecutor.hpp"
#include "Platform/RunLoop/NamedThread.hpp"

using namespace std::chrono_literals;
using tessaril::platform::MainQueueExecutor;
using tessaril::platform::NamedThread;
using tessaril::platform::SerialExecutor;

namespace {

TEST(ThreadedSerialExecutor, RunsBlocksInOrderOnItsNamedThread) {
    SerialExecutor executor("com.tessaril.worker");
    std::vector<int> order;
    std::promise<std::pair<std::string, bool>> done;
    for (int index = 0; index < 50; ++index) executor.post([&order, index] { order.push_back(index); });
    executor.post([&] { done.set_value({NamedThread::currentName(), executor.isCurrent()}); });

    auto future = done.get_future();
    ASSERT_EQ(future.wait_for(10s), std::future_status::ready);
    auto [name, current] = future.get();
    EXPECT_EQ(name, "com.tessaril.worker");
    EXPECT_TRUE(current);
    EXPECT_FALSE(executor.isCurrent());
    std::vector<int> expected(50);
    for (int index = 0; index < 50; ++index) expected[static_cast<std::size_t>(index)] = index;
    EXPECT_EQ(order, expected);
}

TEST(ThreadedSerialExecutor, CancelledDelayedBlockDoesNotRun) {
    SerialExecutor executor("worker");
    std::atomic<bool> cancelledRan{false};
    std::promise<void> later;
    auto item = executor.postAfter(20ms, [&] { cancelledRan = true; });
    item.cancel();
    executor.postAfter(40ms, [&] { later.set_value(); });
    ASSERT_EQ(later.get_future().wait_for(10s), std::future_status::ready);
    EXPECT_FALSE(cancelledRan.load());
}

TEST(ThreadedSerialExecutor, DestructionDropsWorkNotYetDue) {
    auto ran = std::make_shared<std::atomic<bool>>(false);
    {
        SerialExecutor executor("worker");
        executor.postAfter(1h, [ran] { *ran = true; });
    }
    EXPECT_FALSE(ran->load());
}

TEST(ThreadedMainQueueExecutor, RunsOnTheThreadThatRunsItUntilStopped) {
    MainQueueExecutor main;
    std::vector<bool> current;
    std::thread poster([&] {
        main.post([&] { current.push_back(main.isCurrent()); });
        main.post([&] { main.stop(); });
    });
    main.runUntilStopped();
    poster.join();
    EXPECT_EQ(current, std::vector<bool>{true});
    EXPECT_FALSE(main.isCurrent());
}

} // namespace
