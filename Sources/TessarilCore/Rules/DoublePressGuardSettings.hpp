#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Settings/KeyboardPreset.hpp"
#include "TessarilCore/Input/Shortcut.hpp"
#include "TessarilCore/Rules/ShortcutGuardRule.hpp"

namespace tessaril {

// The double-press guard of one scope (a preset, the global value, an application or a settings set):
// the master switch and the per-letter rules that say how many presses let a Command+letter shortcut
// through. A plain value; the rule engine reads its copy on the event-tap thread, the settings window
// edits the document's on the main thread.
struct DoublePressGuardSettings {
    using ShortcutSet = std::unordered_set<Shortcut>;

    static constexpr std::int64_t minimumTimeoutMilliseconds = 100;
    static constexpr std::int64_t maximumTimeoutMilliseconds = 5000;

    bool isEnabled = false;
    // Seeds the timing of rules derived from `shortcuts`; each rule otherwise times itself.
    std::int64_t timeoutMilliseconds = 700;
    // Derived: Command plus the letter of each rule, rebuilt by construction, decoding and every edit.
    ShortcutSet shortcuts;
    // Kept sorted by letter by construction, decoding and the edits; letters may repeat.
    std::vector<ShortcutGuardRule> rules;

    // The default guard: off, 700 ms, rules derived from Command+Q, Command+W and Command+D.
    DoublePressGuardSettings();
    // With `rules`, they are taken unchecked and sorted and `shortcuts` is discarded; without them, one
    // rule is derived from each Command+letter shortcut (others are dropped). The switch and the timeout
    // are stored as given.
    DoublePressGuardSettings(bool isEnabled, std::int64_t timeoutMilliseconds, ShortcutSet shortcuts,
                             std::optional<std::vector<ShortcutGuardRule>> rules = std::nullopt);

    // Command+Q, Command+W and Command+D.
    static ShortcutSet defaultShortcuts();

    // Replaces the first rule with the same letter (plain text equality) or appends the rule.
    void upsertRule(const ShortcutGuardRule& rule);
    // Puts a fresh enabled two-press `standard` rule under the letter; false when it is no letter.
    bool addCommandLetter(std::string_view letter);
    // Removes every rule of the letter, leaving the others in their order; nothing when it is no letter.
    void removeCommandLetter(std::string_view letter);
    bool containsCommandLetter(std::string_view letter) const;
    // Moves the first rule of `oldLetter` to `newLetter`, keeping its options; false, and no change, when a
    // letter is invalid, the old one has no rule, or the new one has a rule of its own.
    bool replaceCommandLetter(std::string_view oldLetter, std::string_view newLetter);

    // The first enabled rule for the Command+letter shortcut, active in `activePreset` when one is given.
    // Ignores `isEnabled` of the guard. Called for every shortcut on the event-tap thread: it allocates
    // nothing and walks the rules once.
    std::optional<ShortcutGuardRule> rule(const Shortcut& shortcut,
                                          std::optional<KeyboardPreset> activePreset) const noexcept;

    // Clamps the timeout, drops rules whose letter is no letter, validates the rest, sorts them and
    // rebuilds `shortcuts`.
    void normalizeForImport();

    static std::int64_t clampedTimeoutMilliseconds(std::int64_t milliseconds);
    // A seconds text as 100...5000 ms, rounded toward zero; none when it is not a number.
    static std::optional<std::int64_t> clampedTimeoutMillisecondsFromSecondsString(std::string_view text);

    friend bool operator==(const DoublePressGuardSettings&, const DoublePressGuardSettings&) = default;

private:
    void deriveRulesFromShortcuts();
    void rebuildShortcuts();
    void sortRulesAndRebuildShortcuts();
};

template <> struct JSONCoding<DoublePressGuardSettings> {
    static Json encode(const DoublePressGuardSettings& settings);
    // Every key optional; without "rules" they are derived from "shortcuts".
    static DoublePressGuardSettings decode(const Json& value);
};

} // namespace tessaril
