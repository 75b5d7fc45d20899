#include "Platform/Process/ProcessInfo.hpp"

#include <unistd.h>

extern char** environ;

namespace tessaril::platform {

ProcessInfo ProcessInfo::current(int argc, const char* const* argv) {
    ProcessInfo info;
    for (int index = 0; index < argc; ++index) info.arguments.emplace_back(argv[index]);
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        std::string_view text(*entry);
        auto separator = text.find('=');
        if (separator == std::string_view::npos) continue;
        info.environment.emplace(std::string(text.substr(0, separator)), std::string(text.substr(separator + 1)));
    }
    info.processIdentifier = static_cast<std::int64_t>(::getpid());
    return info;
}

std::optional<std::string> ProcessInfo::environmentValue(std::string_view name) const {
    auto found = environment.find(name);
    if (found == environment.end()) return std::nullopt;
    return found->second;
}

} // namespace tessaril::platform
