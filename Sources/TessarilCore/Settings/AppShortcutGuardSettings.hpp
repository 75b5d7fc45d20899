#pragma once

#include <string>

#include "TessarilCore/Rules/DoublePressGuardSettings.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"

namespace tessaril {

// One application's entry for the double-press guard: its own guard, whose rules are laid over the
// global ones by letter, or a flag to follow the global guard. A plain value, used on any thread.
struct AppShortcutGuardSettings {
    std::string displayName;
    bool usesDefaultShortcutGuard = false;
    DoublePressGuardSettings doublePressGuard;

    friend bool operator==(const AppShortcutGuardSettings&, const AppShortcutGuardSettings&) = default;
};

template <> struct JSONCoding<AppShortcutGuardSettings> {
    static Json encode(const AppShortcutGuardSettings& settings);
    // "displayName" is required; a missing flag reads as false, a missing guard as the default guard.
    static AppShortcutGuardSettings decode(const Json& value);
};

} // namespace tessaril
