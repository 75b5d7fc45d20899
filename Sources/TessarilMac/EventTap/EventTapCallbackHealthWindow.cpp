#include "TessarilMac/EventTap/EventTapCallbackHealthWindow.hpp"

#include <algorithm>

namespace tessaril {

std::optional<EventTapCallbackHealthSnapshot> EventTapCallbackHealthWindow::record(std::uint64_t durationNanoseconds,
                                                                                   std::uint64_t at) noexcept {
    if (!startedAtNanoseconds) startedAtNanoseconds = at;
    ++callbackCount;
    if (durationNanoseconds >= 5'000'000) {
        ++overFiveMillisecondsCount;
        if (durationNanoseconds >= 20'000'000) ++overTwentyMillisecondsCount;
    }
    maximumMicroseconds = std::max(maximumMicroseconds, durationNanoseconds / 1000);
    if (at < *startedAtNanoseconds || at - *startedAtNanoseconds < reportIntervalNanoseconds) return std::nullopt;
    EventTapCallbackHealthSnapshot snapshot{callbackCount, overFiveMillisecondsCount, overTwentyMillisecondsCount,
                                            maximumMicroseconds};
    *this = EventTapCallbackHealthWindow{};
    return snapshot;
}

} // namespace tessaril
