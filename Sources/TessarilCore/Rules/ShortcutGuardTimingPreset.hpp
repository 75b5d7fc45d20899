#pragma once

#include <cstdint>
#include <optional>

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// How long a guard rule waits for the next press: three fixed timings or the rule's own.
enum class ShortcutGuardTimingPreset { fast, standard, slow, custom };

template <> struct EnumCases<ShortcutGuardTimingPreset> {
    static constexpr std::string_view typeName = "ShortcutGuardTimingPreset";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<ShortcutGuardTimingPreset, std::string_view>, 4> cases{{
        {ShortcutGuardTimingPreset::fast, "fast"},
        {ShortcutGuardTimingPreset::standard, "standard"},
        {ShortcutGuardTimingPreset::slow, "slow"},
        {ShortcutGuardTimingPreset::custom, "custom"},
    }};
};

// The timing of the preset; `custom` without a value of its own waits as long as `standard`.
constexpr std::int64_t defaultTimeoutMilliseconds(ShortcutGuardTimingPreset preset) {
    switch (preset) {
    case ShortcutGuardTimingPreset::fast: return 450;
    case ShortcutGuardTimingPreset::standard: return 700;
    case ShortcutGuardTimingPreset::slow: return 1000;
    case ShortcutGuardTimingPreset::custom: return 700;
    }
    return 700;
}

namespace shortcut_guard_timing_preset {

// The fixed preset with exactly this timing; never `custom`.
constexpr std::optional<ShortcutGuardTimingPreset> matchingPreset(std::int64_t milliseconds) {
    switch (milliseconds) {
    case 450: return ShortcutGuardTimingPreset::fast;
    case 700: return ShortcutGuardTimingPreset::standard;
    case 1000: return ShortcutGuardTimingPreset::slow;
    default: return std::nullopt;
    }
}

} // namespace shortcut_guard_timing_preset

} // namespace tessaril
