#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Settings/KeyboardPreset.hpp"
#include "TessarilCore/Input/Shortcut.hpp"
#include "TessarilCore/Rules/ShortcutGuardTimingPreset.hpp"

namespace tessaril {

// One guarded Command+letter shortcut: how many presses within its timeout let it through, and in which
// presets. A plain value; the rule engine reads it on the event-tap thread. Aggregate construction and
// field writes store values unchecked; `make`, decoding and import normalisation validate them.
struct ShortcutGuardRule {
    static constexpr std::int64_t minimumPressCount = 2;
    static constexpr std::int64_t maximumPressCount = 4;

    // One lower-case letter a–z once validated.
    std::string letter;
    bool isEnabled = true;
    std::int64_t pressCount = 2;
    ShortcutGuardTimingPreset timingPreset = ShortcutGuardTimingPreset::standard;
    // Read only for `custom`; kept as given and clamped when read.
    std::optional<std::int64_t> customTimeoutMilliseconds;
    KeyboardPresetSet activePresets = keyboard_preset::standardSet;

    // None when the text does not denote one letter; otherwise the normalised letter, the press count
    // clamped and the presets limited to the built-in ones.
    static std::optional<ShortcutGuardRule> make(std::string_view letter, bool isEnabled, std::int64_t pressCount,
                                                 ShortcutGuardTimingPreset timingPreset,
                                                 std::optional<std::int64_t> customTimeoutMilliseconds,
                                                 KeyboardPresetSet activePresets);
    // None unless the shortcut is Command plus one letter a–z. A timeout of 450, 700 or 1000 ms picks its
    // fixed preset, any other becomes `custom` with that timeout.
    static std::optional<ShortcutGuardRule> make(const Shortcut& shortcut, bool isEnabled, std::int64_t pressCount,
                                                 std::int64_t timeoutMilliseconds, KeyboardPresetSet activePresets);

    // Command plus the normalised letter; Command+Q when the letter does not normalise.
    Shortcut shortcut() const;
    // The custom timeout clamped to 100...5000 for `custom`, else the preset's timing.
    std::int64_t timeoutMilliseconds() const;
    KeyboardPresetSet normalizedActivePresets() const;
    bool isActive(KeyboardPreset preset) const;
    // Whether the rule's letter is the same text as `text` (canonically equal, no letter normalisation).
    bool hasLetter(std::string_view text) const;

    static std::int64_t clampedPressCount(std::int64_t pressCount);

    friend bool operator==(const ShortcutGuardRule&, const ShortcutGuardRule&) = default;
};

// A stable sort ascending by letter, compared as text; rules with equal letters keep their order.
std::vector<ShortcutGuardRule> sortedByCommandLetter(std::vector<ShortcutGuardRule> rules);

template <> struct JSONCoding<ShortcutGuardRule> {
    static Json encode(const ShortcutGuardRule& rule);
    // "letter" is required and must denote one letter; the other keys are optional.
    static ShortcutGuardRule decode(const Json& value);
};

} // namespace tessaril
