#pragma once

#include <string>
#include <string_view>

#include "TessarilCore/Support/JSONCoding.hpp"

namespace tessaril {

// One application named by a settings set: its bundle identifier and the name shown for it.
// A plain value, used on any thread.
struct SettingsSetAppTarget {
    static constexpr std::size_t maximumDisplayNameLength = 64;

    std::string bundleIdentifier;
    std::string displayName;

    // Leaves both texts empty; decoding fills them in as they stand.
    SettingsSetAppTarget() = default;
    // The cleaned target: both texts trimmed, the display name cut to 64 characters, and the bundle
    // identifier standing in for a blank display name.
    SettingsSetAppTarget(std::string_view identifier, std::string_view name);

    friend bool operator==(const SettingsSetAppTarget&, const SettingsSetAppTarget&) = default;
};

template <> struct JSONCoding<SettingsSetAppTarget> {
    static Json encode(const SettingsSetAppTarget& target);
    static SettingsSetAppTarget decode(const Json& value);
};

} // namespace tessaril
