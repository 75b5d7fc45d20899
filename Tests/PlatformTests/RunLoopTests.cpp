#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "Platform/RunLoop/NamedThread.hpp"
#include "Platform/RunLoop/RunLoop.hpp"

using namespace std::chrono_literals;
using namespace tessaril::platform;

namespace {

TEST(ThreadedRunLoop, PerformsSignalledSourcesAndBlocksUntilStopped) {
    std::atomic<int> performed{0};
    auto source = std::make_shared<RunLoopSource>([&performed] { ++performed; });
    source->signal();  // signalled before any loop holds it: performed once the loop runs
    std::promise<std::shared_ptr<RunLoop>> started;
    std::atomic<bool> heldWhileRunning{false};
    NamedThread thread("loop", [&] {
        auto loop = RunLoop::current();
        loop->addSource(source);
        started.set_value(loop);
        loop->run();
        heldWhileRunning = loop->containsSource(source);
        loop->removeSource(source);
    });
    auto loop = started.get_future().get();

    std::promise<void> blockRan;
    loop->performBlock([&] { blockRan.set_value(); });
    loop->wakeUp();
    ASSERT_EQ(blockRan.get_future().wait_for(10s), std::future_status::ready);

    loop->performBlock([&] { RunLoop::current()->stop(); });
    loop->wakeUp();
    thread.join();
    EXPECT_EQ(performed.load(), 1);
    EXPECT_TRUE(heldWhileRunning.load());
    EXPECT_FALSE(loop->containsSource(source));
    EXPECT_FALSE(loop->isRunning());
}

TEST(ThreadedRunLoop, ASourceSignalledWhileItIsBeingAddedIsPerformed) {
    std::promise<std::shared_ptr<RunLoop>> started;
    NamedThread thread("loop", [&] {
        auto loop = RunLoop::current();
        started.set_value(loop);
        loop->run();
    });
    auto loop = started.get_future().get();

    // The signal races the adding: whichever comes first, the running loop must perform the source.
    for (int round = 0; round < 2000; ++round) {
        auto performed = std::make_shared<std::promise<void>>();
        auto source = std::make_shared<RunLoopSource>([performed] { performed->set_value(); });
        std::atomic<bool> go{false};
        std::thread signaller([&] {
            while (!go.load()) {
            }
            source->signal();
        });
        go.store(true);
        loop->addSource(source);
        signaller.join();
        bool ran = performed->get_future().wait_for(5s) == std::future_status::ready;
        loop->removeSource(source);
        if (!ran) {
            ADD_FAILURE() << "signal lost in round " << round;
            break;
        }
    }
    loop->performBlock([] { RunLoop::current()->stop(); });
    loop->wakeUp();
    thread.join();
}

TEST(RunLoop, StopOnALoopThatIsNotRunningIsForgotten) {
    auto loop = std::make_shared<RunLoop>();
    loop->stop();
    int ran = 0;
    loop->performBlock([&] {
        ++ran;
        loop->stop();
    });
    loop->wakeUp();
    loop->run();  // returns only through the block's stop
    EXPECT_EQ(ran, 1);
}

TEST(RunLoop, InvalidatedSourceNeverPerforms) {
    auto loop = std::make_shared<RunLoop>();
    int performed = 0;
    auto source = std::make_shared<RunLoopSource>([&] { ++performed; });
    loop->addSource(source);
    source->invalidate();
    source->signal();
    loop->performBlock([&] { loop->stop(); });
    loop->run();
    EXPECT_EQ(performed, 0);
}

} // namespace
