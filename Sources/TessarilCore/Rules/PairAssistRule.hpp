#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Settings/KeyboardPreset.hpp"
#include "TessarilCore/Input/Shortcut.hpp"
#include "TessarilCore/Rules/WritingAssistInputModeCondition.hpp"

namespace tessaril {

// One entry of the writing-assist rule list: a shortcut that inserts a pair of texts. The settings
// window finds rules by `id`; the rule engine matches them on every shortcut attempt. A value; any thread.
struct PairAssistRule {
    static constexpr std::string_view defaultTitle = "括弧・引用";

    std::string id;
    std::string title;
    bool isEnabled = false;
    WritingAssistInputModeCondition inputModeCondition = WritingAssistInputModeCondition::kanaOnly;
    std::optional<Shortcut> trigger;
    std::string openingText;
    std::string closingText;
    KeyboardPresetSet activePresets = keyboard_preset::standardSet;

    // An empty id becomes a new UUID string, an empty title the default title, and a character-key
    // trigger its base form.
    PairAssistRule(std::string id, std::string title, bool isEnabled, WritingAssistInputModeCondition inputModeCondition,
                   std::optional<Shortcut> trigger, std::string openingText, std::string closingText,
                   KeyboardPresetSet activePresets = keyboard_preset::standardSet);

    std::string insertedText() const;
    std::size_t cursorLeftCount() const;
    bool canActivate(std::optional<InputMode> currentInputMode) const noexcept {
        return tessaril::canActivate(inputModeCondition, currentInputMode);
    }
    bool isActive(KeyboardPreset preset) const noexcept { return activePresets.contains(preset); }

    // Whether this rule answers the shortcut: enabled, triggered by it, active in the preset and allowed
    // in the mode. A rule without a trigger never fires.
    bool matches(const Shortcut& shortcut, KeyboardPreset preset, std::optional<InputMode> currentInputMode) const noexcept {
        return isEnabled && trigger && *trigger == shortcut && isActive(preset) && canActivate(currentInputMode);
    }

    friend bool operator==(const PairAssistRule&, const PairAssistRule&) = default;
};

template <> struct JSONCoding<PairAssistRule> {
    static Json encode(const PairAssistRule& rule);
    static PairAssistRule decode(const Json& value);
};

} // namespace tessaril
