#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaril::appkit {

// Numbers as fields show and read them, with "." as the decimal point whatever the process locale:
// a German or French locale must not turn 0.25 into "0,25" nor refuse "0.25".

// `value` with exactly `fractionDigits` digits after the point, rounded from its exact binary value
// as printf's "%.2f" rounds it.
std::string formatFixed(double value, int fractionDigits);

// The finite number the whole text spells, white space around it allowed; none otherwise.
std::optional<double> parseFiniteNumber(std::string_view text);

} // namespace tessaril::appkit
