// The session driver arms one timer for the session's next work, from any thread, and none at rest.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <QCoreApplication>

#include "Platform/Session/SimulatedSession.hpp"
#include "TessarilApp/Shell/SimulatedSessionDriver.hpp"

using namespace tessaril;
using namespace std::chrono_literals;

TEST(SimulatedSessionDriver, ArmsForTheNextDueWorkOnlyAndNothingAtRest) {
    platform::SimulatedSession session{platform::SessionConfiguration{}};
    std::atomic<std::uint64_t> realMilliseconds = 0;
    SimulatedSessionDriver driver(session, [&realMilliseconds] { return realMilliseconds.load() * 1'000'000; });
    auto& queue = session.mainQueue();
    std::vector<std::string> ran;
    auto record = [&ran](std::string name) { return [&ran, name] { ran.push_back(name); }; };

    struct Step {
        std::string what;
        std::function<void()> action;
        std::optional<std::chrono::milliseconds> armed;
        std::vector<std::string> ranSoFar;
    };
    const std::vector<Step> steps{
        {"nothing posted", [] {}, std::nullopt, {}},
        {"work in 100 ms", [&] { queue.postAfter(100ms, record("at 100")); }, 100ms, {}},
        {"earlier work from another thread", [&] { std::thread([&] { queue.postAfter(30ms, record("at 30")); }).join(); }, 30ms, {}},
        {"a cancelled earlier item", [&] { queue.postAfter(10ms, record("cancelled")).cancel(); }, 30ms, {}},
        {"the timer at 30 ms", [&] { realMilliseconds = 30; driver.advance(); }, 70ms, {"at 30"}},
        {"the timer early, at 99 ms", [&] { realMilliseconds = 99; driver.advance(); }, 1ms, {"at 30"}},
        {"the timer at 100 ms: the last due work", [&] { realMilliseconds = 100; driver.advance(); }, std::nullopt, {"at 30", "at 100"}},
        // After a long rest a delay counts from when it was asked for, not from the last work.
        {"work in 40 ms asked for at 5000 ms", [&] { realMilliseconds = 5000; queue.postAfter(40ms, record("at 5040")); }, 40ms, {"at 30", "at 100"}},
        {"work for now", [&] { queue.post(record("now")); }, 0ms, {"at 30", "at 100"}},
        {"the timer at once", [&] { driver.advance(); }, 40ms, {"at 30", "at 100", "now"}},
        {"the timer at 5040 ms", [&] { realMilliseconds = 5040; driver.advance(); }, std::nullopt, {"at 30", "at 100", "now", "at 5040"}},
        // A posted event that no tap takes reaches the session's input method on the next run.
        {"an event left the taps", [&] { session.events().post(platform::EventTapLocation::hidEventTap, platform::Event::keyboard(platform::EventType::keyDown, 0)); },
         0ms, {"at 30", "at 100", "now", "at 5040"}},
        {"the timer handles it", [&] { driver.advance(); }, std::nullopt, {"at 30", "at 100", "now", "at 5040"}},
    };
    for (const auto& step : steps) {
        step.action();
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(driver.armedDelay(), step.armed) << step.what;
        EXPECT_EQ(ran, step.ranSoFar) << step.what;
    }
}

// Real time runs between whole milliseconds, the session's steps do not: work due at 3.5 ms runs when
// the session reaches 4 ms, so the timer waits for that, fires once and is not armed again at once.
TEST(SimulatedSessionDriver, WorkDueBetweenMillisecondsRunsOnTheTimersFirstFiring) {
    platform::SimulatedSession session{platform::SessionConfiguration{}};
    std::atomic<std::uint64_t> realNanoseconds = 1'500'000;
    SimulatedSessionDriver driver(session, [&realNanoseconds] { return realNanoseconds.load(); });
    bool ran = false;
    session.mainQueue().postAfter(2ms, [&ran] { ran = true; });
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(driver.armedDelay(), 3ms);

    // The timer as the event loop runs it: it fires when its delay has passed, and the driver advances.
    int firings = 0;
    while (!ran && firings < 10) {
        const auto delay = driver.armedDelay();
        ASSERT_TRUE(delay.has_value()) << "the work is pending, so a timer must be armed";
        realNanoseconds += static_cast<std::uint64_t>(std::chrono::nanoseconds(*delay).count());
        driver.advance();
        ++firings;
    }
    EXPECT_TRUE(ran);
    EXPECT_EQ(firings, 1);
    EXPECT_EQ(realNanoseconds.load(), 4'500'000u);
    EXPECT_EQ(driver.armedDelay(), std::nullopt);
}
