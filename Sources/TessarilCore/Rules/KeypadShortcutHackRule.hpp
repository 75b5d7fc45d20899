#pragma once

#include <string>
#include <string_view>

#include "TessarilCore/Input/CompanionModifier.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Settings/KeyboardPreset.hpp"
#include "TessarilCore/Rules/KeypadShortcutHackKey.hpp"

namespace tessaril {

// One keypad hack: with `modifier` held alone, the keypad key types `outputText` instead of itself in the
// presets of `activePresets`. A plain value, read by the rule engine on the event-tap thread.
struct KeypadShortcutHackRule {
    static constexpr std::size_t maximumOutputCharacters = 16;

    bool isEnabled = false;
    CompanionModifier modifier = CompanionModifier::shift;
    // Construction, decoding and import normalisation clean it; a direct assignment stores it as given.
    std::string outputText;
    KeyboardPresetSet activePresets = keyboard_preset::standardSet;

    KeypadShortcutHackRule() = default;
    // Stores `outputText` through normalizedOutputText and keeps only the built-in presets.
    KeypadShortcutHackRule(bool isEnabled, CompanionModifier modifier, std::string_view outputText,
                           KeyboardPresetSet activePresets);

    // The rule of a key as new settings have it: disabled, shift, the key's default text, every preset.
    static KeypadShortcutHackRule defaultRule(KeypadShortcutHackKey key);

    // Line breaks trimmed from both ends (spaces and tabs stay), then at most 16 user-perceived
    // characters, with no line break left at the end of the cut.
    static std::string normalizedOutputText(std::string_view text);

    // Cleans the text; an empty result takes `defaultOutputText` as given.
    void normalizeForImport(std::string_view defaultOutputText);

    bool isActive(KeyboardPreset preset) const;

    friend bool operator==(const KeypadShortcutHackRule&, const KeypadShortcutHackRule&) = default;
};

template <> struct JSONCoding<KeypadShortcutHackRule> {
    static Json encode(const KeypadShortcutHackRule& rule);
    // Every key optional; the text is cleaned but an empty one is left for the settings to fill.
    static KeypadShortcutHackRule decode(const Json& value);
};

} // namespace tessaril
