#include "TessarilCore/Engine/RuleEngineLookup.hpp"

#include <algorithm>

#include "TessarilCore/Rules/DoublePressGuardSettings.hpp"
#include "TessarilCore/Rules/FixedPhraseAssistSettings.hpp"
#include "TessarilCore/Rules/KeypadShortcutHackSettings.hpp"
#include "TessarilCore/Rules/WritingAssistSettings.hpp"

namespace tessaril {
namespace {

constexpr std::size_t presetIndex(KeyboardPreset preset) noexcept { return caseIndex(preset); }

// Stores `index` for every preset that has no earlier entry and in which `isActive` holds, so that
// each preset keeps the first qualifying rule in list order.
template <class IsActive> void claimFirst(std::array<std::int32_t, 3>& perPreset, std::size_t index, IsActive isActive) {
    for (auto preset : keyboard_preset::standardCases) {
        auto& slot = perPreset[presetIndex(preset)];
        if (slot < 0 && isActive(preset)) slot = static_cast<std::int32_t>(index);
    }
}

std::optional<std::size_t> entry(const std::array<std::int32_t, 3>& perPreset, KeyboardPreset preset) noexcept {
    auto index = perPreset[presetIndex(preset)];
    if (index < 0) return std::nullopt;
    return static_cast<std::size_t>(index);
}

} // namespace

RuleEngineLookup::RuleEngineLookup() {
    for (auto& perPreset : guardRuleByLetter_) perPreset.fill(none);
}

bool RuleEngineLookup::KeypadHack::isEnabledIn(KeyboardPreset preset) const noexcept {
    return isEnabled && isActiveInPreset[presetIndex(preset)];
}

void RuleEngineLookup::rebuildKeypadHacks(const KeypadShortcutHackSettings& hacks) {
    for (auto key : allCases<KeypadShortcutHackKey>()) {
        const auto& rule = hacks[key];
        auto& hack = keypadHacks_[caseIndex(key)];
        hack.isEnabled = rule.isEnabled;
        hack.modifier = rule.modifier;
        // Normalised here because a direct write of the rule's text stores it unchecked.
        hack.outputText = KeypadShortcutHackRule::normalizedOutputText(rule.outputText);
        for (auto preset : keyboard_preset::standardCases) hack.isActiveInPreset[presetIndex(preset)] = rule.isActive(preset);
    }
}

const RuleEngineLookup::KeypadHack& RuleEngineLookup::keypadHack(KeypadShortcutHackKey key) const noexcept {
    return keypadHacks_[caseIndex(key)];
}

bool RuleEngineLookup::hasEnabledKeypadHack(KeyboardPreset preset) const noexcept {
    for (const auto& hack : keypadHacks_) {
        if (hack.isEnabledIn(preset)) return true;
    }
    return false;
}

void RuleEngineLookup::rebuildGuardRules(const DoublePressGuardSettings& guard) {
    for (auto& perPreset : guardRuleByLetter_) perPreset.fill(none);
    for (std::size_t index = 0; index < guard.rules.size(); ++index) {
        const auto& rule = guard.rules[index];
        // Only a rule whose letter is exactly one of a–z can equal the letter of a shortcut.
        if (!rule.isEnabled || rule.letter.size() != 1 || rule.letter[0] < 'a' || rule.letter[0] > 'z') continue;
        claimFirst(guardRuleByLetter_[static_cast<std::size_t>(rule.letter[0] - 'a')], index,
                   [&](KeyboardPreset preset) { return rule.isActive(preset); });
    }
}

std::optional<std::size_t> RuleEngineLookup::guardRuleIndex(const Shortcut& shortcut, KeyboardPreset preset) const noexcept {
    if (shortcut.modifiers != ShortcutModifierSet{ShortcutModifier::command} || !shortcut.key.isCharacter()) return std::nullopt;
    const auto& text = shortcut.key.characterText();
    if (text.size() != 1 || text[0] < 'a' || text[0] > 'z') return std::nullopt;
    return entry(guardRuleByLetter_[static_cast<std::size_t>(text[0] - 'a')], preset);
}

RuleEngineLookup::TriggerRules::TriggerRules() { fixedPhraseByPreset_.fill(none); }

std::optional<std::size_t> RuleEngineLookup::TriggerRules::fixedPhraseIndex(KeyboardPreset preset) const noexcept {
    return entry(fixedPhraseByPreset_, preset);
}

void RuleEngineLookup::rebuildPairAssistRules(const WritingAssistSettings& writingAssist) {
    pairAssistRules_ = writingAssist.effectivePairAssistRules();
    for (auto& [trigger, rules] : triggerRules_) rules.pairAssistCandidates_.clear();
    for (std::size_t index = 0; index < pairAssistRules_.size(); ++index) {
        const auto& rule = pairAssistRules_[index];
        if (!rule.isEnabled || !rule.trigger) continue;
        triggerRules_[*rule.trigger].pairAssistCandidates_.push_back(static_cast<std::uint32_t>(index));
    }
    dropTriggersWithoutRules();
}

void RuleEngineLookup::rebuildFixedPhrases(const FixedPhraseAssistSettings& fixedPhraseAssist) {
    for (auto& [trigger, rules] : triggerRules_) rules.fixedPhraseByPreset_.fill(none);
    const auto& rules = fixedPhraseAssist.rules;
    for (std::size_t index = 0; index < rules.size(); ++index) {
        const auto& rule = rules[index];
        if (!rule.isEnabled || !rule.trigger || !rule.hasContent()) continue;
        claimFirst(triggerRules_[*rule.trigger].fixedPhraseByPreset_, index,
                   [&](KeyboardPreset preset) { return rule.isActive(preset); });
    }
    dropTriggersWithoutRules();
}

void RuleEngineLookup::dropTriggersWithoutRules() {
    std::erase_if(triggerRules_, [](const auto& item) {
        const auto& rules = item.second;
        return rules.pairAssistCandidates_.empty() &&
               std::all_of(rules.fixedPhraseByPreset_.begin(), rules.fixedPhraseByPreset_.end(),
                           [](std::int32_t index) { return index == none; });
    });
}

const RuleEngineLookup::TriggerRules* RuleEngineLookup::triggerRules(const Shortcut& shortcut) const noexcept {
    if (triggerRules_.empty()) return nullptr;
    auto found = triggerRules_.find(shortcut);
    return found == triggerRules_.end() ? nullptr : &found->second;
}

} // namespace tessaril
