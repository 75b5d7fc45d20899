#pragma once

#include <optional>
#include <set>
#include <string>

#include "Platform/Workspace/RunningApplication.hpp"

namespace tessaril {

// The application whose keystrokes are being handled: never this application itself.
struct FrontmostApplication {
    std::string bundleIdentifier;
    std::string displayName;

    // None for an application without a bundle identifier or with one of `excluding`; the display name
    // is the localized name, else the bundle identifier.
    static std::optional<FrontmostApplication> make(const platform::RunningApplication& application,
                                                    const std::set<std::string, std::less<>>& excluding);

    friend bool operator==(const FrontmostApplication&, const FrontmostApplication&) = default;
};

} // namespace tessaril
