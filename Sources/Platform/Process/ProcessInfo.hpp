#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaril::platform {

// What the process was started with: its arguments (the program's own path first), its environment and
// its identifier. A plain value: the application reads its own once at start, tests make theirs.
struct ProcessInfo {
    std::vector<std::string> arguments;
    std::map<std::string, std::string, std::less<>> environment;
    std::int64_t processIdentifier = 0;

    // The running process: the given arguments, the environment as it stands now and getpid().
    static ProcessInfo current(int argc, const char* const* argv);

    // The variable's value; none when it is not set (an empty value is a value).
    std::optional<std::string> environmentValue(std::string_view name) const;

    friend bool operator==(const ProcessInfo&, const ProcessInfo&) = default;
};

} // namespace tessaril::platform
