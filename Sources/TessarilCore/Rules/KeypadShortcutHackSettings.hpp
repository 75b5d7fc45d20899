#pragma once

#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Rules/KeypadShortcutHackKey.hpp"
#include "TessarilCore/Rules/KeypadShortcutHackRule.hpp"

namespace tessaril {

// The keypad hacks of one scope (a preset, the global value, an application or a settings set): one rule
// per keypad key and the switch of the keypad "=" combination. A plain value; the rule engine reads its
// copy on the event-tap thread, the settings window edits the document's on the main thread.
struct KeypadShortcutHackSettings {
    bool usesKeypadEqualCombo = false;
    KeypadShortcutHackRule period = KeypadShortcutHackRule::defaultRule(KeypadShortcutHackKey::period);
    KeypadShortcutHackRule slash = KeypadShortcutHackRule::defaultRule(KeypadShortcutHackKey::slash);
    KeypadShortcutHackRule asterisk = KeypadShortcutHackRule::defaultRule(KeypadShortcutHackKey::asterisk);
    KeypadShortcutHackRule hyphen = KeypadShortcutHackRule::defaultRule(KeypadShortcutHackKey::hyphen);
    KeypadShortcutHackRule plus = KeypadShortcutHackRule::defaultRule(KeypadShortcutHackKey::plus);

    // The default keypad hack settings.
    KeypadShortcutHackSettings() = default;
    // Stores the six values, then normalises them as an import does.
    KeypadShortcutHackSettings(bool usesKeypadEqualCombo, KeypadShortcutHackRule period, KeypadShortcutHackRule slash,
                               KeypadShortcutHackRule asterisk, KeypadShortcutHackRule hyphen,
                               KeypadShortcutHackRule plus);

    static KeypadShortcutHackSettings defaultSettings() { return {}; }

    // Cleans every rule's text (an empty one takes its key's default text; an asterisk text "$" becomes
    // "＊") and limits presets to the built-in ones. Switches and modifiers stay.
    void normalizeForImport();

    // The rule of a key; writing through the reference stores a rule unchanged.
    const KeypadShortcutHackRule& operator[](KeypadShortcutHackKey key) const;
    KeypadShortcutHackRule& operator[](KeypadShortcutHackKey key);

    // Turns the combination and every rule off; texts, modifiers and presets stay.
    void disableAll();

    friend bool operator==(const KeypadShortcutHackSettings&, const KeypadShortcutHackSettings&) = default;
};

template <> struct JSONCoding<KeypadShortcutHackSettings> {
    static Json encode(const KeypadShortcutHackSettings& settings);
    // Every key optional; a missing rule is its key's default rule.
    static KeypadShortcutHackSettings decode(const Json& value);
};

} // namespace tessaril
