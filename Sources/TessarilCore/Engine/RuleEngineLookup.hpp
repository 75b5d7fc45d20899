#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "TessarilCore/Input/CompanionModifier.hpp"
#include "TessarilCore/Settings/KeyboardPreset.hpp"
#include "TessarilCore/Rules/KeypadShortcutHackKey.hpp"
#include "TessarilCore/Rules/PairAssistRule.hpp"
#include "TessarilCore/Input/Shortcut.hpp"

namespace tessaril {

struct DoublePressGuardSettings;
struct FixedPhraseAssistSettings;
struct KeypadShortcutHackSettings;
struct WritingAssistSettings;

// Lookup tables the rule engine builds from its configuration when the configuration is written, so
// that a keystroke costs the same however many phrases and rules the user keeps. Every table answers
// exactly what the record's own lookup answers. Part of the engine's value; touched on the thread that
// owns the engine.
class RuleEngineLookup {
public:
    // One keypad hack, with its output text already normalised.
    struct KeypadHack {
        bool isEnabled = false;
        CompanionModifier modifier = CompanionModifier::shift;
        std::string outputText;
        std::array<bool, 3> isActiveInPreset{};

        bool isEnabledIn(KeyboardPreset preset) const noexcept;
    };

    // Tables that find nothing, until the rebuilds fill them.
    RuleEngineLookup();

    void rebuildKeypadHacks(const KeypadShortcutHackSettings& hacks);
    void rebuildGuardRules(const DoublePressGuardSettings& guard);
    void rebuildPairAssistRules(const WritingAssistSettings& writingAssist);
    void rebuildFixedPhrases(const FixedPhraseAssistSettings& fixedPhraseAssist);

    const KeypadHack& keypadHack(KeypadShortcutHackKey key) const noexcept;
    // Whether some hack rule is enabled and active in the preset.
    bool hasEnabledKeypadHack(KeyboardPreset preset) const noexcept;

    // Index into the guard's `rules` of the rule that `rule(for:activePreset:)` answers, else none.
    std::optional<std::size_t> guardRuleIndex(const Shortcut& shortcut, KeyboardPreset preset) const noexcept;
    // What one trigger shortcut may fire, found with a single lookup per attempt.
    class TriggerRules {
    public:
        TriggerRules();
        // Index into the phrases' `rules` of the one `activeRule(for:activePreset:)` answers, else none.
        std::optional<std::size_t> fixedPhraseIndex(KeyboardPreset preset) const noexcept;
        // Positions in `pairAssistRules()` of the enabled rules with this trigger, in order.
        const std::vector<std::uint32_t>& pairAssistCandidates() const noexcept { return pairAssistCandidates_; }

    private:
        friend class RuleEngineLookup;
        std::array<std::int32_t, 3> fixedPhraseByPreset_;
        std::vector<std::uint32_t> pairAssistCandidates_;
    };
    // None when no phrase or pair rule has this trigger.
    const TriggerRules* triggerRules(const Shortcut& shortcut) const noexcept;

    // The pair rules in force, in order.
    const std::vector<PairAssistRule>& pairAssistRules() const noexcept { return pairAssistRules_; }

private:
    static constexpr std::int32_t none = -1;
    using PerPreset = std::array<std::int32_t, 3>;

    void dropTriggersWithoutRules();

    std::array<KeypadHack, 5> keypadHacks_{};
    std::array<PerPreset, 26> guardRuleByLetter_{};
    std::vector<PairAssistRule> pairAssistRules_;
    std::unordered_map<Shortcut, TriggerRules> triggerRules_;
};

} // namespace tessaril
