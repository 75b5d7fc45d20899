#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tessaril {

// How a fractional millisecond value becomes integral.
enum class RoundingRule {
    towardZero,
    toNearestOrAwayFromZero,
    toNearestOrEven,
    up,
    down,
    awayFromZero,
};

// A seconds text the user typed, as integer milliseconds clamped to minimum...maximum; none when the
// text is not one finite number. The decimal point is "." whatever the process locale is.
std::optional<std::int64_t> clampedMillisecondsFromSecondsString(std::string_view text, std::int64_t minimum,
                                                                 std::int64_t maximum, RoundingRule roundingRule);

} // namespace tessaril
