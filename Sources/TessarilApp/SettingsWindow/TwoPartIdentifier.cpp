#include "TessarilApp/SettingsWindow/TwoPartIdentifier.hpp"

namespace tessaril {

std::optional<std::pair<std::string, std::string>> splitTwoPartIdentifier(std::string_view identifier) {
    const auto bar = identifier.rfind('|');
    if (bar == std::string_view::npos) return std::nullopt;
    const std::string_view first = identifier.substr(0, bar);
    const std::string_view second = identifier.substr(bar + 1);
    if (first.empty() || second.empty()) return std::nullopt;
    return std::pair{std::string(first), std::string(second)};
}

} // namespace tessaril
