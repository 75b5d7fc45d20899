#pragma once

#include <optional>

#include "TessarilCore/Rules/CharacterCountHUDPosition.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Rules/TextToolAction.hpp"
#include "TessarilCore/Rules/TextToolShortcutRule.hpp"

namespace tessaril {

// The text tools (plain copy, plain paste, character count), each bound to one shortcut; global
// only. A value; any thread.
struct TextToolSettings {
    TextToolShortcutRule plainCopy{false, Shortcut::commandControlC()};
    TextToolShortcutRule plainPaste{false, Shortcut::commandControlV()};
    TextToolShortcutRule characterCount{false, Shortcut::commandControlM()};
    CharacterCountHUDPosition characterCountHUDPosition = CharacterCountHUDPosition::pointer;
    bool copiesCharacterCountResult = false;

    // The tool the shortcut runs; where tools share a shortcut, the first of copy, paste, count wins.
    std::optional<TextToolAction> action(const Shortcut& shortcut) const noexcept {
        if (plainCopy.matches(shortcut)) return TextToolAction::plainCopy;
        if (plainPaste.matches(shortcut)) return TextToolAction::plainPaste;
        if (characterCount.matches(shortcut)) return TextToolAction::characterCount;
        return std::nullopt;
    }

    // Character keys of the three shortcuts to their base form.
    void normalizeShortcutBaseKeys();

    friend bool operator==(const TextToolSettings&, const TextToolSettings&) = default;
};

template <> struct JSONCoding<TextToolSettings> {
    static Json encode(const TextToolSettings& settings);
    static TextToolSettings decode(const Json& value);
};

} // namespace tessaril
