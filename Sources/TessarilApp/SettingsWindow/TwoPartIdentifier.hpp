#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tessaril {

// The two parts of a control identifier written as first + "|" + second. The split is at the last
// "|", so a first part that holds "|" itself (an imported rule id) stays whole; the second parts in
// use ("all", preset raw values) never contain one. Either part empty, or no "|": none.
std::optional<std::pair<std::string, std::string>> splitTwoPartIdentifier(std::string_view identifier);

} // namespace tessaril
