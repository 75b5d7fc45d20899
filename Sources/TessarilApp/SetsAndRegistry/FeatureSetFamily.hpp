#pragma once

#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "TessarilApp/SetsAndRegistry/ApplicationTargetFamily.hpp"

namespace tessaril {

// The settings sets of one feature as the set sheet and its operations reach them: the target
// family's selection, entries, sets and model operations, the model's edit operation (with no
// application it edits the global value) and the three lines of a set's summary.

struct ShortcutGuardSetFamily : ShortcutGuardTargetFamily {
    static constexpr auto update = &updateShortcutGuardSettings;
    static std::vector<std::pair<std::string, std::string>> summary(const Value& value);
};

struct KeypadHackSetFamily : KeypadHackTargetFamily {
    static constexpr auto update = &updateKeypadShortcutHackSettings;
    static std::vector<std::pair<std::string, std::string>> summary(const Value& value);
};

struct WritingAssistSetFamily : WritingAssistTargetFamily {
    static constexpr auto update = &updateWritingAssistSettings;
    static std::vector<std::pair<std::string, std::string>> summary(const Value& value);
};

struct FixedPhraseSetFamily : FixedPhraseTargetFamily {
    static constexpr auto update = &updateFixedPhraseAssistSettings;
    static std::vector<std::pair<std::string, std::string>> summary(const Value& value);
};

// A count as a set's summary writes it: decimal digits, then "件".
std::string featureSetCountText(std::size_t count);

// Calls `body` with a value of the set family of `tab` (std::type_identity<Family>); for a tab without
// sets it returns `otherwise` and calls nothing.
template <class Result, class Body> Result withFeatureSetFamily(SettingsTab tab, Result otherwise, Body&& body) {
    switch (tab) {
    case SettingsTab::keypadHacks: return body(std::type_identity<KeypadHackSetFamily>{});
    case SettingsTab::shortcutGuard: return body(std::type_identity<ShortcutGuardSetFamily>{});
    case SettingsTab::writingAssist: return body(std::type_identity<WritingAssistSetFamily>{});
    case SettingsTab::fixedPhrases: return body(std::type_identity<FixedPhraseSetFamily>{});
    default: return otherwise;
    }
}

template <class Body> void withFeatureSetFamily(SettingsTab tab, Body&& body) {
    withFeatureSetFamily(tab, 0, [&](auto family) {
        body(family);
        return 0;
    });
}

} // namespace tessaril
