#pragma once

#include <optional>
#include <vector>

#include "TessarilCore/Rules/FixedPhraseRule.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"

namespace tessaril {

// The fixed phrases of one scope (global, one application, or one settings set), in the user's
// order, which decides the winner where phrases share a trigger. A value; any thread.
struct FixedPhraseAssistSettings {
    std::vector<FixedPhraseRule> rules;

    // A copy of the first phrase that the shortcut fires in the preset, else none.
    std::optional<FixedPhraseRule> activeRule(const Shortcut& shortcut, KeyboardPreset activePreset) const;

    // Every phrase replaced by its import-normalised copy, same order and number.
    void normalizeForImport();
    // Character keys of every trigger to their base form.
    void normalizeShortcutBaseKeys();

    friend bool operator==(const FixedPhraseAssistSettings&, const FixedPhraseAssistSettings&) = default;
};

template <> struct JSONCoding<FixedPhraseAssistSettings> {
    static Json encode(const FixedPhraseAssistSettings& settings);
    static FixedPhraseAssistSettings decode(const Json& value);
};

} // namespace tessaril
