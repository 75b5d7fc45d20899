#pragma once

#include <optional>
#include <string>

namespace tessaril::platform {

// An application of the login session as the workspace reports it (NSRunningApplication): its bundle
// identifier and its localized name, either of which may be missing.
struct RunningApplication {
    std::optional<std::string> bundleIdentifier;
    std::optional<std::string> localizedName;

    friend bool operator==(const RunningApplication&, const RunningApplication&) = default;
};

} // namespace tessaril::platform
