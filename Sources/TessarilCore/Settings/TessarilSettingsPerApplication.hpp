#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "TessarilCore/Input/KeyboardIdentifier.hpp"
#include "TessarilCore/Settings/SettingsSet.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"

namespace tessaril {

// The three layers of the four features that can differ by application (double-press guard, keypad
// hacks, writing assist, fixed phrases): the global value, the entries keyed by bundle identifier and
// the ordered settings sets. Resolution reads the document; edits change the caller's copy in place and
// save nothing. Bundle identifiers are matched exactly, without trimming or case folding; where several
// sets list an application, the first in list order is the one every operation uses. No locks: the
// caller owns the document (main thread, or the keyboard controller's copy under its lock).

// ---- Value in force: no application gives the global value; else the first set listing it; else its
// own entry unless that follows the global value; else the global value. An entry of the guard is laid
// over the global guard by letter rather than used whole.
DoublePressGuardSettings shortcutGuardSettings(const TessarilSettings& settings,
                                               std::optional<std::string_view> appBundleIdentifier);
KeypadShortcutHackSettings keypadShortcutHackSettings(const TessarilSettings& settings,
                                                      std::optional<std::string_view> appBundleIdentifier);
WritingAssistSettings writingAssistSettings(const TessarilSettings& settings,
                                            std::optional<std::string_view> appBundleIdentifier);
FixedPhraseAssistSettings fixedPhraseAssistSettings(const TessarilSettings& settings,
                                                    std::optional<std::string_view> appBundleIdentifier);

// The preset's rule-engine settings for the keyboard, with the guard and keypad hacks in force for the
// application.
RuleEngineSettings ruleEngineSettings(const TessarilSettings& settings, const std::optional<KeyboardIdentifier>& keyboard,
                                      std::optional<std::string_view> appBundleIdentifier);

// ---- Has its own value: a set lists the application, or its entry does not follow the global value.
bool usesAppShortcutGuardSettings(const TessarilSettings& settings, std::optional<std::string_view> appBundleIdentifier);
bool usesAppKeypadShortcutHackSettings(const TessarilSettings& settings,
                                       std::optional<std::string_view> appBundleIdentifier);
bool usesAppWritingAssistSettings(const TessarilSettings& settings, std::optional<std::string_view> appBundleIdentifier);
bool usesAppFixedPhraseAssistSettings(const TessarilSettings& settings,
                                      std::optional<std::string_view> appBundleIdentifier);

// ---- Add an entry starting from a copy of the global value; an existing entry stays as it is.
void enableAppShortcutGuardSettings(TessarilSettings& settings, std::string_view bundleIdentifier,
                                    std::string_view displayName, bool usesDefaultShortcutGuard);
void enableAppKeypadShortcutHackSettings(TessarilSettings& settings, std::string_view bundleIdentifier,
                                         std::string_view displayName, bool usesDefaultKeypadShortcutHacks);
void enableAppWritingAssistSettings(TessarilSettings& settings, std::string_view bundleIdentifier,
                                    std::string_view displayName, bool usesDefaultWritingAssist);
void enableAppFixedPhraseAssistSettings(TessarilSettings& settings, std::string_view bundleIdentifier,
                                        std::string_view displayName, bool usesDefaultFixedPhraseAssist);

// ---- Remove the entry (sets are not touched). The Finder's guard entry cannot be removed.
void removeAppShortcutGuardSettings(TessarilSettings& settings, std::string_view bundleIdentifier);
void removeAppKeypadShortcutHackSettings(TessarilSettings& settings, std::string_view bundleIdentifier);
void removeAppWritingAssistSettings(TessarilSettings& settings, std::string_view bundleIdentifier);
void removeAppFixedPhraseAssistSettings(TessarilSettings& settings, std::string_view bundleIdentifier);

// ---- Follow or leave the global value. Leaving starts the entry from a copy of the current global
// value, so an own value set aside earlier never comes back.
void setAppShortcutGuardUsesDefault(TessarilSettings& settings, std::string_view bundleIdentifier, bool usesDefault);
void setAppKeypadShortcutHacksUsesDefault(TessarilSettings& settings, std::string_view bundleIdentifier,
                                          bool usesDefault);
void setAppWritingAssistUsesDefault(TessarilSettings& settings, std::string_view bundleIdentifier, bool usesDefault);
void setAppFixedPhraseAssistUsesDefault(TessarilSettings& settings, std::string_view bundleIdentifier,
                                        bool usesDefault);

// ---- Edit the value the target is using: the global value, the first set listing the application, or
// its own entry (the guard entry's own rules, not the overlay). An application that follows the global
// value, or has neither entry nor set, changes nothing and `edit` is not called.
void updateShortcutGuardSettings(TessarilSettings& settings, std::optional<std::string_view> appBundleIdentifier,
                                 const std::function<void(DoublePressGuardSettings&)>& edit);
void updateKeypadShortcutHackSettings(TessarilSettings& settings, std::optional<std::string_view> appBundleIdentifier,
                                      const std::function<void(KeypadShortcutHackSettings&)>& edit);
void updateWritingAssistSettings(TessarilSettings& settings, std::optional<std::string_view> appBundleIdentifier,
                                 const std::function<void(WritingAssistSettings&)>& edit);
void updateFixedPhraseAssistSettings(TessarilSettings& settings, std::optional<std::string_view> appBundleIdentifier,
                                     const std::function<void(FixedPhraseAssistSettings&)>& edit);

// ---- Set lookup and ownership, generic over the feature's value.

// The value of the first set (list order) that lists the application, or nullptr.
template <class Value>
const Value* settingsSetValue(std::string_view appBundleIdentifier, const std::vector<SettingsSet<Value>>& sets) {
    for (const auto& set : sets) {
        if (set.targetsApp(appBundleIdentifier)) return &set.value;
    }
    return nullptr;
}
template <class Value>
Value* settingsSetValue(std::string_view appBundleIdentifier, std::vector<SettingsSet<Value>>& sets) {
    for (auto& set : sets) {
        if (set.targetsApp(appBundleIdentifier)) return &set.value;
    }
    return nullptr;
}

// An application belongs to at most one set of a feature: walking the sets and their targets in order,
// a target whose bundle identifier an earlier target already holds is dropped. Sets left without
// targets stay; ids, names and values are untouched.
template <class Value>
std::vector<SettingsSet<Value>> normalizedSetTargetOwnership(std::vector<SettingsSet<Value>> sets) {
    std::unordered_set<std::string> owned;
    for (auto& set : sets) {
        std::erase_if(set.appTargets,
                      [&](const SettingsSetAppTarget& target) { return !owned.insert(target.bundleIdentifier).second; });
    }
    return sets;
}

} // namespace tessaril
