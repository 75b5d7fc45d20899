#include "TessarilMac/InputMode/ModeKeyDispatchQueue.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

#include "Platform/Clock/VirtualUptimeClock.hpp"
#include "Platform/Dispatch/SerialExecutor.hpp"
#include "Platform/Dispatch/VirtualScheduler.hpp"

namespace tessaril {
namespace {

// A send operation that records each call and leaves finishing to the test.
struct ManualSend {
    struct Call {
        InputMode mode;
        ModeKeyDispatchQueue::IsCurrent stillCurrent;
        std::function<void()> finished;
    };
    std::vector<Call> calls;

    ModeKeyDispatchQueue::Send operation() {
        return [this](InputMode mode, ModeKeyDispatchQueue::IsCurrent stillCurrent, std::function<void()> finished) {
            calls.push_back(Call{mode, std::move(stillCurrent), std::move(finished)});
        };
    }
    std::vector<InputMode> modes() const {
        std::vector<InputMode> sent;
        for (const auto& call : calls) sent.push_back(call.mode);
        return sent;
    }
};

class ModeKeyDispatchQueueTests : public ::testing::Test {
protected:
    platform::VirtualUptimeClock clock;
    platform::VirtualScheduler scheduler{clock};
    std::shared_ptr<platform::Executor> worker = scheduler.makeSerialExecutor("mode-keys");
    ManualSend send;
    std::optional<ModeKeyDispatchQueue> queue{std::in_place, *worker, send.operation()};
};

TEST_F(ModeKeyDispatchQueueTests, requestsAreSentInOrderAndOneAtATime) {
    queue->enqueue(InputMode::eisu);
    queue->enqueue(InputMode::kana);
    queue->enqueue(InputMode::katakana);
    EXPECT_TRUE(send.calls.empty()) << "enqueue only enqueues";
    scheduler.runUntilIdle();
    ASSERT_EQ(send.modes(), std::vector<InputMode>{InputMode::eisu});
    EXPECT_TRUE(send.calls[0].stillCurrent());

    send.calls[0].finished();
    send.calls[0].finished(); // a second call must not start a second worker
    scheduler.runUntilIdle();
    EXPECT_EQ(send.modes(), (std::vector<InputMode>{InputMode::eisu, InputMode::kana}));
    send.calls[1].finished();
    scheduler.runUntilIdle();
    send.calls[2].finished();
    scheduler.runUntilIdle();
    EXPECT_EQ(send.modes(), (std::vector<InputMode>{InputMode::eisu, InputMode::kana, InputMode::katakana}));

    queue->enqueue(InputMode::halfWidthKatakana);
    scheduler.runUntilIdle();
    EXPECT_EQ(send.calls.size(), 4u) << "the worker wakes again after running dry";
}

TEST_F(ModeKeyDispatchQueueTests, staleRequestsAreDroppedBeforeTheirTurn) {
    bool controllerCurrent = true;
    queue->enqueue(InputMode::eisu); // reaches send, and stays in progress
    scheduler.runUntilIdle();
    queue->enqueue(InputMode::kana, [] { return true; });
    queue->enqueue(InputMode::katakana, [&] { return controllerCurrent; });
    queue->cancelPending();
    queue->enqueue(InputMode::fullWidthRoman, [&] { return controllerCurrent; });
    queue->enqueue(InputMode::halfWidthKatakana);
    EXPECT_FALSE(send.calls[0].stillCurrent()) << "cancelPending makes the request in progress stale too";

    controllerCurrent = false;
    send.calls[0].finished();
    scheduler.runUntilIdle();
    // kana and katakana predate the cancel; full-width roman's own check turned false.
    EXPECT_EQ(send.modes(), (std::vector<InputMode>{InputMode::eisu, InputMode::halfWidthKatakana}));
}

TEST_F(ModeKeyDispatchQueueTests, theCheckHandedToSendFollowsTheRequestsOwnCheck) {
    bool controllerCurrent = true;
    queue->enqueue(InputMode::kana, [&] { return controllerCurrent; });
    scheduler.runUntilIdle();
    ASSERT_EQ(send.calls.size(), 1u);
    EXPECT_TRUE(send.calls[0].stillCurrent());
    controllerCurrent = false;
    EXPECT_FALSE(send.calls[0].stillCurrent());
}

TEST_F(ModeKeyDispatchQueueTests, destructionDropsPendingRequestsWithoutWaitingForASend) {
    queue->enqueue(InputMode::eisu);
    scheduler.runUntilIdle();
    queue->enqueue(InputMode::kana);
    queue.reset(); // a send is in progress: must not block
    EXPECT_FALSE(send.calls[0].stillCurrent());
    send.calls[0].finished();
    scheduler.runUntilIdle();
    EXPECT_EQ(send.modes(), std::vector<InputMode>{InputMode::eisu});
}

// The controller's lock is held around enqueue on the producing threads, and the request's check takes it
// again on the worker and in the send: with the queue calling the check outside its own lock, this cannot
// deadlock (TSan also watches the lock order).
TEST(ThreadedModeKeyDispatchQueueTests, ordersRequestsFromManyThreadsAndHonoursTheLockOrder) {
    constexpr int producers = 4;
    constexpr int requestsEach = 200;
    std::recursive_mutex controllerLock;
    std::mutex sentMutex;
    std::condition_variable sentChanged;
    std::vector<std::pair<int, int>> sent; // (producer, sequence) in the order sent
    std::pair<int, int> lastChecked{-1, -1}; // written and read on the worker thread only

    platform::SerialExecutor worker("test.mode-keys");
    platform::SerialExecutor keyboard("test.keyboard");
    ModeKeyDispatchQueue queue(worker, [&](InputMode, ModeKeyDispatchQueue::IsCurrent stillCurrent,
                                           std::function<void()> finished) {
        // Called on the worker right after the request's own check.
        const auto request = lastChecked;
        keyboard.post([&, request, stillCurrent, finished] {
            if (stillCurrent()) {
                std::lock_guard guard(sentMutex);
                sent.push_back(request);
                sentChanged.notify_all();
            }
            finished();
        });
    });

    std::vector<std::thread> threads;
    for (int producer = 0; producer < producers; ++producer) {
        threads.emplace_back([&, producer] {
            for (int sequence = 0; sequence < requestsEach; ++sequence) {
                std::lock_guard controller(controllerLock);
                queue.enqueue(sequence % 2 == 0 ? InputMode::eisu : InputMode::kana, [&, producer, sequence] {
                    std::lock_guard again(controllerLock);
                    if (worker.isCurrent()) lastChecked = {producer, sequence};
                    return true;
                });
                if (producer == 0 && sequence == requestsEach / 2) queue.cancelPending();
            }
        });
    }
    for (auto& thread : threads) thread.join();
    queue.enqueue(InputMode::eisu, [&] {
        if (worker.isCurrent()) lastChecked = {producers, 0};
        return true;
    });

    std::unique_lock wait(sentMutex);
    ASSERT_TRUE(sentChanged.wait_for(wait, std::chrono::seconds(30),
                                     [&] { return !sent.empty() && sent.back() == std::pair{producers, 0}; }));
    std::map<int, std::vector<int>> byProducer;
    for (const auto& [producer, sequence] : sent) byProducer[producer].push_back(sequence);
    for (int producer = 0; producer < producers; ++producer) {
        const auto& sequences = byProducer[producer];
        EXPECT_TRUE(std::is_sorted(sequences.begin(), sequences.end())) << "each thread's order is kept";
        EXPECT_EQ(std::adjacent_find(sequences.begin(), sequences.end()), sequences.end()) << "nothing is sent twice";
    }
    // Producer 0's requests after its cancel were all sent.
    const auto& first = byProducer[0];
    EXPECT_EQ(std::count_if(first.begin(), first.end(), [](int sequence) { return sequence > requestsEach / 2; }),
              requestsEach / 2 - 1);
}

} // namespace
} // namespace tessaril
