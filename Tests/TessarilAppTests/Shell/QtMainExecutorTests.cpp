// The application's main queue on the Qt event loop: order, deadlines, cancellation, other threads.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <QEventLoop>
#include <QTimer>

#include "TessarilApp/Shell/QtMainExecutor.hpp"

using namespace tessaril;
using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

namespace {

// Runs the event loop until `done` is called, or fails after a generous bound.
void runUntil(const std::function<void(std::function<void()> done)>& start) {
    QEventLoop loop;
    bool finished = false;
    start([&] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(10s, &loop, &QEventLoop::quit);
    if (!finished) loop.exec();
    ASSERT_TRUE(finished) << "the blocks did not all run";
}

} // namespace

TEST(QtMainExecutor, BlocksRunInDeadlineThenPostingOrderAndNeverEarly) {
    QtMainExecutor executor;
    std::vector<std::string> ran;
    std::vector<std::string> early;
    runUntil([&](std::function<void()> done) {
        auto delayed = [&](std::string name, std::chrono::milliseconds delay, std::function<void()> then = {}) {
            auto deadline = SteadyClock::now() + delay;
            return executor.postAfter(delay, [&, name, deadline, then] {
                ran.push_back(name);
                if (SteadyClock::now() < deadline) early.push_back(name);
                if (then) then();
            });
        };
        delayed("30 ms", 30ms, done);
        delayed("12 ms", 12ms);
        delayed("cancelled", 5ms).cancel();
        executor.post([&] { ran.push_back("posted"); });
        delayed("due now", 0ms);
        delayed("12 ms again", 12ms);
    });
    EXPECT_EQ(ran, (std::vector<std::string>{"posted", "due now", "12 ms", "12 ms again", "30 ms"}));
    EXPECT_TRUE(early.empty());
}

TEST(QtMainExecutor, WorkPostedFromAnotherThreadRunsOnTheMainThread) {
    QtMainExecutor executor;
    EXPECT_TRUE(executor.isCurrent());
    bool wasCurrentElsewhere = true;
    std::vector<bool> ranOnMain;
    runUntil([&](std::function<void()> done) {
        std::thread other([&] {
            wasCurrentElsewhere = executor.isCurrent();
            executor.post([&] { ranOnMain.push_back(executor.isCurrent()); });
            executor.postAfter(5ms, [&, done] {
                ranOnMain.push_back(executor.isCurrent());
                done();
            });
        });
        other.join();
    });
    EXPECT_FALSE(wasCurrentElsewhere);
    EXPECT_EQ(ranOnMain, (std::vector<bool>{true, true}));
}
