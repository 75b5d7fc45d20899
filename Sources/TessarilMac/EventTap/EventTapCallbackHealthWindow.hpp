#pragma once

#include <cstdint>
#include <optional>

#include "TessarilMac/EventTap/EventTapCallbackHealthSnapshot.hpp"

namespace tessaril {

// How long the event-tap callbacks take, counted over windows of at least a minute; the next callback
// after a minute closes the window (no timer runs). A plain value used only on the event-tap thread.
struct EventTapCallbackHealthWindow {
    static constexpr std::uint64_t reportIntervalNanoseconds = 60'000'000'000;

    std::optional<std::uint64_t> startedAtNanoseconds;
    std::uint64_t callbackCount = 0;
    std::uint64_t overFiveMillisecondsCount = 0;
    std::uint64_t overTwentyMillisecondsCount = 0;
    std::uint64_t maximumMicroseconds = 0;

    // Counts one callback ending at `at`; the window's counts, this callback included, once it has
    // lasted the interval (and the window starts afresh).
    std::optional<EventTapCallbackHealthSnapshot> record(std::uint64_t durationNanoseconds, std::uint64_t at) noexcept;

    friend bool operator==(const EventTapCallbackHealthWindow&, const EventTapCallbackHealthWindow&) = default;
};

} // namespace tessaril
