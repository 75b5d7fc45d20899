#include "TessarilCore/Support/SecondsString.hpp"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {
namespace {

locale_t cLocale() {
    static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
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
    // strtod stops at an embedded NUL; such a text must not pass as a number.
    if (trimmed.find('\0') != std::string::npos) return std::nullopt;
    char* end = nullptr;
    double seconds = strtod_l(trimmed.c_str(), &end, cLocale());
    if (end != trimmed.c_str() + trimmed.size()) return std::nullopt;
    if (!std::isfinite(seconds)) return std::nullopt;
    double milliseconds = seconds * 1000.0;
    if (std::isinf(milliseconds)) return seconds < 0 ? minimum : maximum;
    double integral = rounded(milliseconds, roundingRule);
    if (integral <= static_cast<double>(minimum)) return minimum;
    if (integral >= static_cast<double>(maximum)) return maximum;
    return static_cast<std::int64_t>(integral);
}

} // namespace tessaril
