#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "TessarilCore/Rules/CommandKeyAction.hpp"
#include "TessarilCore/Input/CompanionModifier.hpp"
#include "TessarilCore/Rules/DoublePressGuardSettings.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Settings/KeyboardPreset.hpp"
#include "TessarilCore/Rules/KeypadShortcutHackSettings.hpp"
#include "TessarilCore/Rules/ModifiedCommandAction.hpp"

namespace tessaril {

// How the Command keys of one keyboard preset switch the input mode, with the timing, double-press guard
// and keypad hacks that go with it. A plain value; the rule engine reads its copy on the event-tap thread.
//
// Older settings files carry Boolean flags beside the four actions (`leftCommandSwitchesToEisu` and its
// kin). They are not stored here but derived from the actions whenever they are read or written, so no
// assignment, construction or decoding can leave a flag out of step with its action.
struct RuleEngineSettings {
    static constexpr std::int64_t maximumDelayMilliseconds = 2000;
    static constexpr std::int64_t maximumKanaBounceDelayMilliseconds = 500;
    static constexpr std::int64_t maximumModifierGraceWindowMilliseconds = 200;

    CommandKeyAction leftCommandAction = CommandKeyAction::standard;
    CommandKeyAction rightCommandAction = CommandKeyAction::standard;
    ModifiedCommandAction rightModifiedCommandAction = ModifiedCommandAction::disabled;
    ModifiedCommandAction leftModifiedCommandAction = ModifiedCommandAction::disabled;
    CompanionModifier rightCommandCompanionModifier = CompanionModifier::shift;
    CompanionModifier leftCommandCompanionModifier = CompanionModifier::shift;
    std::int64_t leftCommandDelayMilliseconds = 0;
    std::int64_t rightCommandDelayMilliseconds = 0;
    std::int64_t leftModifiedCommandDelayMilliseconds = 0;
    std::int64_t rightModifiedCommandDelayMilliseconds = 0;
    // Stored and coded only; no key handling reads it.
    std::int64_t kanaBounceDelayMilliseconds = 100;
    // Stored and coded only; no key handling reads it.
    bool kanaUsesLegacyBounce = false;
    // 0 turns the grace correction off.
    std::int64_t modifierGraceWindowMilliseconds = 50;
    bool tracksCommandChords = true;
    DoublePressGuardSettings doublePressGuard;
    KeypadShortcutHackSettings keypadShortcutHacks;

    // Every default: the settings of a new preset.
    RuleEngineSettings() = default;
    // An absent action is taken from its legacy flag (true "standard", false "disabled"); a given action
    // overrides the flag. Delays, bounce and grace window are clamped to their ranges.
    RuleEngineSettings(bool leftCommandSwitchesToEisu, bool rightCommandSwitchesToKana,
                       std::optional<CommandKeyAction> leftCommandAction, std::optional<CommandKeyAction> rightCommandAction,
                       bool shiftRightCommandSwitchesToEisu, bool shiftLeftCommandSwitchesToKana,
                       std::optional<ModifiedCommandAction> rightModifiedCommandAction,
                       std::optional<ModifiedCommandAction> leftModifiedCommandAction,
                       CompanionModifier rightCommandCompanionModifier, CompanionModifier leftCommandCompanionModifier,
                       std::int64_t leftCommandDelayMilliseconds, std::int64_t rightCommandDelayMilliseconds,
                       std::int64_t leftModifiedCommandDelayMilliseconds,
                       std::int64_t rightModifiedCommandDelayMilliseconds, std::int64_t kanaBounceDelayMilliseconds,
                       bool kanaUsesLegacyBounce, std::int64_t modifierGraceWindowMilliseconds, bool tracksCommandChords,
                       DoublePressGuardSettings doublePressGuard,
                       KeypadShortcutHackSettings keypadShortcutHacks = KeypadShortcutHackSettings());

    // The legacy flags: true exactly when the action selects that side's classic mode. The modified
    // "standard" is the reverse of the plain one, so the right modified flag stands for eisu.
    bool leftCommandSwitchesToEisu() const;
    bool rightCommandSwitchesToKana() const;
    bool shiftRightCommandSwitchesToEisu() const;
    bool shiftLeftCommandSwitchesToKana() const;
    // Writing a legacy flag sets its action to "standard" (true) or "disabled" (false), replacing any
    // other action such as "katakana".
    void setLeftCommandSwitchesToEisu(bool switchesToEisu);
    void setRightCommandSwitchesToKana(bool switchesToKana);
    void setShiftRightCommandSwitchesToEisu(bool switchesToEisu);
    void setShiftLeftCommandSwitchesToKana(bool switchesToKana);

    void setLeftCommandAction(CommandKeyAction action);
    void setRightCommandAction(CommandKeyAction action);
    void setRightModifiedCommandAction(ModifiedCommandAction action);
    void setLeftModifiedCommandAction(ModifiedCommandAction action);

    // The legacy flags follow the actions by construction; these remain for callers that sync explicitly.
    void syncLegacyCommandFlags() {}
    void syncLegacyModifiedCommandFlags() {}

    static std::int64_t clampedDelayMilliseconds(std::int64_t milliseconds);
    static std::int64_t clampedKanaBounceDelayMilliseconds(std::int64_t milliseconds);
    static std::int64_t clampedModifierGraceWindowMilliseconds(std::int64_t milliseconds);
    // A seconds text to clamped milliseconds, rounded to nearest (ties away from zero); none when the text
    // is not a number.
    static std::optional<std::int64_t> clampedDelayMillisecondsFromSecondsString(std::string_view text);
    static std::optional<std::int64_t> clampedKanaBounceDelayMillisecondsFromSecondsString(std::string_view text);
    static std::optional<std::int64_t> clampedModifierGraceWindowMillisecondsFromSecondsString(std::string_view text);

    // Clamps the timings and normalises the guard and the keypad hacks.
    void normalizeForImport();

    friend bool operator==(const RuleEngineSettings&, const RuleEngineSettings&) = default;
};

// The rule-engine settings a built-in preset starts with (the same for all three).
RuleEngineSettings defaultRuleEngineSettings(KeyboardPreset preset);

template <> struct JSONCoding<RuleEngineSettings> {
    // The 20 stored keys, legacy flags included.
    static Json encode(const RuleEngineSettings& settings);
    // Every key optional; a missing action follows its legacy flag. Ends with normalizeForImport.
    static RuleEngineSettings decode(const Json& value);
};

} // namespace tessaril
