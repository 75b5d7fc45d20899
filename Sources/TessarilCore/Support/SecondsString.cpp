#include "TessarilCore/Support/SecondsString.hpp"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {
namespace {

// The whole text as one number in the form strtod reads in the C locale (sign, decimal or 0x
// hexadecimal digits, exponent, inf, nan), whatever the process locale: none for anything else,
// including a number beyond the range of a double either way.
std::optional<double> parsedDouble(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    auto format = std::chars_format::general;
    if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        format = std::chars_format::hex;
        text.remove_prefix(2);
    }
    // from_chars takes a minus sign of its own; only one sign, before the digits, is a number.
    if (text.empty() || text.front() == '+' || text.front() == '-') return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, format);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return negative ? -value : value;
}

double rounded(double value, RoundingRule rule) {
    switch (rule) {
    case RoundingRule::towardZero: return std::trunc(value);
    case RoundingRule::toNearestOrAwayFromZero: return std::round(value);
    case RoundingRule::toNearestOrEven: return std::nearbyint(value); // default mode is to-nearest-even
    case RoundingRule::up: return std::ceil(value);
    case RoundingRule::down: return std::floor(value);
    case RoundingRule::awayFromZero: return value < 0 ? std::floor(value) : std::ceil(value);
    }
    return std::trunc(value);
}

} // namespace

std::optional<std::int64_t> clampedMillisecondsFromSecondsString(std::string_view text, std::int64_t minimum,
                                                                 std::int64_t maximum, RoundingRule roundingRule) {
    std::string trimmed = unicode::trimmingWhitespaceAndNewlines(text);
    if (trimmed.empty()) return std::nullopt;
    const std::optional<double> parsed = parsedDouble(trimmed);
    if (!parsed || !std::isfinite(*parsed)) return std::nullopt;
    const double seconds = *parsed;
    double milliseconds = seconds * 1000.0;
    if (std::isinf(milliseconds)) return seconds < 0 ? minimum : maximum;
    double integral = rounded(milliseconds, roundingRule);
    if (integral <= static_cast<double>(minimum)) return minimum;
    if (integral >= static_cast<double>(maximum)) return maximum;
    return static_cast<std::int64_t>(integral);
}

} // namespace tessaril
