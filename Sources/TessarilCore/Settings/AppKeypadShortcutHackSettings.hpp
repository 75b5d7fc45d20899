#pragma once

#include <string>

#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Rules/KeypadShortcutHackSettings.hpp"

namespace tessaril {

// One application's entry for the keypad hacks: its own hacks, used whole, or a flag to follow the
// global ones. A plain value, used on any thread.
struct AppKeypadShortcutHackSettings {
    std::string displayName;
    bool usesDefaultKeypadShortcutHacks = false;
    KeypadShortcutHackSettings keypadShortcutHacks;

    friend bool operator==(const AppKeypadShortcutHackSettings&, const AppKeypadShortcutHackSettings&) = default;
};

template <> struct JSONCoding<AppKeypadShortcutHackSettings> {
    static Json encode(const AppKeypadShortcutHackSettings& settings);
    // "displayName" is required; a missing flag reads as false (the entry is the application's own).
    static AppKeypadShortcutHackSettings decode(const Json& value);
};

} // namespace tessaril
