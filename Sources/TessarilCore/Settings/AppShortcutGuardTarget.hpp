#pragma once

#include <string_view>

namespace tessaril {

// The standard target of the per-application double-press guard: the Finder, whose entry the
// settings document always keeps. Constants only.
struct AppShortcutGuardTarget {
    AppShortcutGuardTarget() = delete;

    static constexpr std::string_view finderBundleIdentifier = "com.apple.finder";
    static constexpr std::string_view finderDisplayName = "Finder";

    // Exact, case-sensitive comparison without trimming.
    static constexpr bool isStandardTarget(std::string_view bundleIdentifier) {
        return bundleIdentifier == finderBundleIdentifier;
    }
};

} // namespace tessaril
