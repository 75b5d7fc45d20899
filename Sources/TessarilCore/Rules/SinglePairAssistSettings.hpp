#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Settings/KeyboardPreset.hpp"
#include "TessarilCore/Input/Shortcut.hpp"
#include "TessarilCore/Rules/WritingAssistInputModeCondition.hpp"

namespace tessaril {

// One pair assist of the older settings form (before the rule list), still stored and still the
// source of the rules while no rule list exists. `Standard` gives the record's name and its standard
// trigger and texts, which a default-constructed record and missing JSON keys take; the two records
// built from it are QuoteAssistSettings and PairInsertionAssistSettings. A value; any thread.
template <class Standard> struct SinglePairAssistSettings {
    bool isEnabled = false;
    WritingAssistInputModeCondition inputModeCondition = WritingAssistInputModeCondition::kanaOnly;
    std::optional<Shortcut> trigger = Standard::trigger();
    std::string openingText{Standard::openingText};
    std::string closingText{Standard::closingText};
    KeyboardPresetSet activePresets = keyboard_preset::standardSet;

    // The standard values.
    SinglePairAssistSettings() = default;
    // Keeps a character-key trigger in its base form.
    SinglePairAssistSettings(bool isEnabled, WritingAssistInputModeCondition inputModeCondition,
                             std::optional<Shortcut> trigger, std::string openingText, std::string closingText,
                             KeyboardPresetSet activePresets);

    // The older form stored a kana flag; writing it replaces any condition, `anytime` included.
    bool requiresKanaInput() const noexcept { return inputModeCondition == WritingAssistInputModeCondition::kanaOnly; }
    void setRequiresKanaInput(bool requiresKana) noexcept;

    std::string insertedText() const;
    std::size_t cursorLeftCount() const;
    bool canActivate(std::optional<InputMode> currentInputMode) const noexcept {
        return tessaril::canActivate(inputModeCondition, currentInputMode);
    }
    bool isActive(KeyboardPreset preset) const noexcept { return activePresets.contains(preset); }

    friend bool operator==(const SinglePairAssistSettings&, const SinglePairAssistSettings&) = default;
};

template <class Standard> struct JSONCoding<SinglePairAssistSettings<Standard>> {
    static Json encode(const SinglePairAssistSettings<Standard>& settings);
    static SinglePairAssistSettings<Standard> decode(const Json& value);
};

} // namespace tessaril
