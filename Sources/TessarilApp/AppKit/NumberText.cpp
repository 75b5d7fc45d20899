#include "TessarilApp/AppKit/NumberText.hpp"

#include <array>
#include <charconv>
#include <cmath>

#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril::appkit {

std::string formatFixed(double value, int fractionDigits) {
    std::array<char, 512> buffer{};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, fractionDigits);
    if (error != std::errc()) return {};
    return std::string(buffer.data(), end);
}

std::optional<double> parseFiniteNumber(std::string_view text) {
    const std::string trimmed = unicode::trimmingWhitespaceAndNewlines(text);
    std::string_view digits = trimmed;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    if (digits.empty()) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

} // namespace tessaril::appkit
