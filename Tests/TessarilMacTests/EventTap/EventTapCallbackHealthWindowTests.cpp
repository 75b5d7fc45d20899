#include <gtest/gtest.h>

#include "TessarilMac/EventTap/EventTapCallbackHealthWindow.hpp"

using namespace tessaril;

namespace {

using Snapshot = EventTapCallbackHealthSnapshot;

TEST(EventTapCallbackHealthWindow, CountsThresholdsAndClosesAfterTheInterval) {
    struct Step {
        std::uint64_t duration;
        std::uint64_t at;
        std::optional<Snapshot> report;
    };
    constexpr std::uint64_t start = 1'000'000'000;
    constexpr std::uint64_t minute = 60'000'000'000;
    const Step steps[] = {
        {4'999'999, start, std::nullopt},                 // under 5 ms; opens the window
        {5'000'000, start + 1, std::nullopt},             // exactly 5 ms counts as over 5
        {20'000'000, start + 2, std::nullopt},            // exactly 20 ms counts in both
        {1'999, start - 10, std::nullopt},                // earlier than the start: nothing reported
        {0, start + minute - 1, std::nullopt},            // one nanosecond short
        {7'000, start + minute, Snapshot{6, 2, 1, 20'000}},  // exactly a minute: included and reported
        {3'000, start + minute + 5, std::nullopt},        // a new window starts here
        {1'000, start + 2 * minute + 5, Snapshot{2, 0, 0, 3}},
    };
    EventTapCallbackHealthWindow window;
    int index = 0;
    for (const auto& step : steps) {
        EXPECT_EQ(window.record(step.duration, step.at), step.report) << "step " << index++;
    }
    EXPECT_EQ(window, EventTapCallbackHealthWindow{});
}

} // namespace
