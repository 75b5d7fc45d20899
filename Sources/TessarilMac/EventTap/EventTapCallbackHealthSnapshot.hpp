#pragma once

#include <cstdint>

namespace tessaril {

// The counts of one closed health window of the event-tap callback.
struct EventTapCallbackHealthSnapshot {
    std::uint64_t callbackCount = 0;
    std::uint64_t overFiveMillisecondsCount = 0;
    std::uint64_t overTwentyMillisecondsCount = 0;
    std::uint64_t maximumMicroseconds = 0;

    friend bool operator==(const EventTapCallbackHealthSnapshot&, const EventTapCallbackHealthSnapshot&) = default;
};

} // namespace tessaril
