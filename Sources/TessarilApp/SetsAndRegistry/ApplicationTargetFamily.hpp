#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilApp/Shell/SettingsTab.hpp"
#include "TessarilCore/Settings/AppShortcutGuardTarget.hpp"
#include "TessarilCore/Settings/TessarilSettingsPerApplication.hpp"

namespace tessaril {

// Where one per-application feature keeps its selection, entries and sets, the settings model's
// operations on it, and the selectors of its target bar. The pages and the bar's actions are written
// once over these.

struct ShortcutGuardTargetFamily {
    static constexpr SettingsTab tab = SettingsTab::shortcutGuard;
    using Value = DoublePressGuardSettings;
    using Entry = AppShortcutGuardSettings;
    static constexpr auto selection = &AppDelegate::selectedShortcutAppBundleIdentifier;
    static constexpr auto entries = &TessarilSettings::appShortcutGuardSettings;
    static constexpr auto sets = &TessarilSettings::shortcutGuardSets;
    static constexpr auto usesDefault = &Entry::usesDefaultShortcutGuard;
    static constexpr auto resolvedValue = &shortcutGuardSettings;
    static constexpr auto enable = &enableAppShortcutGuardSettings;
    static constexpr auto setUsesDefault = &setAppShortcutGuardUsesDefault;
    static constexpr auto remove = &removeAppShortcutGuardSettings;
    static Entry makeEntry(std::string name, Value value) { return {std::move(name), false, std::move(value)}; }
    // The Finder's entry stays whatever the user does.
    static bool canDelete(std::string_view app) { return !AppShortcutGuardTarget::isStandardTarget(app); }
    static constexpr bool selectionAlwaysClearsOnDelete = false;
    static constexpr const char* popupAction = "selectShortcutTargetFromPopup:";
    static constexpr const char* defaultToggleAction = "toggleSelectedAppShortcutUsesDefault:";
    static constexpr const char* addAction = "addApplicationShortcutTarget";
    static constexpr const char* addFrontmostAction = "addFrontmostApplicationShortcutTarget";
    static constexpr const char* setAction = "showShortcutGuardSetModal";
    static constexpr const char* deleteAction = "deleteSelectedAppShortcutTarget";
};

struct KeypadHackTargetFamily {
    static constexpr SettingsTab tab = SettingsTab::keypadHacks;
    using Value = KeypadShortcutHackSettings;
    using Entry = AppKeypadShortcutHackSettings;
    static constexpr auto selection = &AppDelegate::selectedKeypadHackAppBundleIdentifier;
    static constexpr auto entries = &TessarilSettings::appKeypadShortcutHackSettings;
    static constexpr auto sets = &TessarilSettings::keypadShortcutHackSets;
    static constexpr auto usesDefault = &Entry::usesDefaultKeypadShortcutHacks;
    static constexpr auto resolvedValue = &keypadShortcutHackSettings;
    static constexpr auto enable = &enableAppKeypadShortcutHackSettings;
    static constexpr auto setUsesDefault = &setAppKeypadShortcutHacksUsesDefault;
    static constexpr auto remove = &removeAppKeypadShortcutHackSettings;
    static Entry makeEntry(std::string name, Value value) { return {std::move(name), false, std::move(value)}; }
    static bool canDelete(std::string_view) { return true; }
    static constexpr bool selectionAlwaysClearsOnDelete = false;
    static constexpr const char* popupAction = "selectKeypadHackTargetFromPopup:";
    static constexpr const char* defaultToggleAction = "toggleSelectedAppKeypadHackUsesDefault:";
    static constexpr const char* addAction = "addApplicationKeypadHackTarget";
    static constexpr const char* addFrontmostAction = "addFrontmostApplicationKeypadHackTarget";
    static constexpr const char* setAction = "showKeypadHackSetModal";
    static constexpr const char* deleteAction = "deleteSelectedAppKeypadHackTarget";
};

struct WritingAssistTargetFamily {
    static constexpr SettingsTab tab = SettingsTab::writingAssist;
    using Value = WritingAssistSettings;
    using Entry = AppWritingAssistSettings;
    static constexpr auto selection = &AppDelegate::selectedWritingAssistAppBundleIdentifier;
    static constexpr auto entries = &TessarilSettings::appWritingAssistSettings;
    static constexpr auto sets = &TessarilSettings::writingAssistSets;
    static constexpr auto usesDefault = &Entry::usesDefaultWritingAssist;
    static constexpr auto resolvedValue = &writingAssistSettings;
    static constexpr auto enable = &enableAppWritingAssistSettings;
    static constexpr auto setUsesDefault = &setAppWritingAssistUsesDefault;
    static constexpr auto remove = &removeAppWritingAssistSettings;
    static Entry makeEntry(std::string name, Value value) { return {std::move(name), false, std::move(value)}; }
    static bool canDelete(std::string_view) { return true; }
    static constexpr bool selectionAlwaysClearsOnDelete = true;
    static constexpr const char* popupAction = "selectWritingAssistTargetFromPopup:";
    static constexpr const char* defaultToggleAction = "toggleSelectedAppWritingAssistUsesDefault:";
    static constexpr const char* addAction = "addApplicationWritingAssistTarget";
    static constexpr const char* addFrontmostAction = "addFrontmostApplicationWritingAssistTarget";
    static constexpr const char* setAction = "showWritingAssistSetModal";
    static constexpr const char* deleteAction = "deleteSelectedAppWritingAssistTarget";
};

struct FixedPhraseTargetFamily {
    static constexpr SettingsTab tab = SettingsTab::fixedPhrases;
    using Value = FixedPhraseAssistSettings;
    using Entry = AppFixedPhraseAssistSettings;
    static constexpr auto selection = &AppDelegate::selectedFixedPhraseAppBundleIdentifier;
    static constexpr auto entries = &TessarilSettings::appFixedPhraseAssistSettings;
    static constexpr auto sets = &TessarilSettings::fixedPhraseAssistSets;
    static constexpr auto usesDefault = &Entry::usesDefaultFixedPhraseAssist;
    static constexpr auto resolvedValue = &fixedPhraseAssistSettings;
    static constexpr auto enable = &enableAppFixedPhraseAssistSettings;
    static constexpr auto setUsesDefault = &setAppFixedPhraseAssistUsesDefault;
    static constexpr auto remove = &removeAppFixedPhraseAssistSettings;
    static Entry makeEntry(std::string name, Value value) { return {std::move(name), false, std::move(value)}; }
    static bool canDelete(std::string_view) { return true; }
    static constexpr bool selectionAlwaysClearsOnDelete = false;
    static constexpr const char* popupAction = "selectFixedPhraseTargetFromPopup:";
    static constexpr const char* defaultToggleAction = "toggleSelectedAppFixedPhraseUsesDefault:";
    static constexpr const char* addAction = "addApplicationFixedPhraseTarget";
    static constexpr const char* addFrontmostAction = "addFrontmostApplicationFixedPhraseTarget";
    static constexpr const char* setAction = "showFixedPhraseSetModal";
    static constexpr const char* deleteAction = "deleteSelectedAppFixedPhraseTarget";
};

// The name of the first set of the tab's feature that lists the application; none for other tabs.
std::optional<std::string> featureSetNameContainingApp(const TessarilSettings& settings, SettingsTab tab,
                                                       std::string_view bundleIdentifier);

// How a page reads its selected target.
struct ApplicationTargetState {
    std::optional<std::string> bundleIdentifier;
    // The set of the feature that lists the application, and the name it lists the application by.
    std::optional<std::string> setName;
    std::optional<std::string> setTargetDisplayName;
    // The application's entry: its name and whether it follows the default.
    std::optional<std::string> entryDisplayName;
    std::optional<bool> usesDefault;

    // The default, a set member, or an application with an own entry. An application with neither
    // entry nor set reads like one following the default: edits of it would reach nothing.
    bool isEditable() const { return !bundleIdentifier || setName || (usesDefault && !*usesDefault); }
    bool hasOwnEntry() const { return usesDefault && !*usesDefault; }
    // What the page names the selected application by: its entry's name, else the name its set lists
    // it by; none for the default and for an application with neither.
    std::optional<std::string> displayName() const { return entryDisplayName ? entryDisplayName : setTargetDisplayName; }
    // The compliance switch's state: the entry's flag; a set member without an entry follows its set.
    std::optional<bool> followsShared() const { return usesDefault ? usesDefault : setName ? std::optional(true) : std::nullopt; }
    // "基準", "セット", "個別" or "デフォルト準拠".
    std::string tag() const;
    // The compliance switch's title: "セット準拠" for a set member, else "デフォルト準拠".
    std::string complianceTitle() const { return setName ? "セット準拠" : "デフォルト準拠"; }
};

template <class Family> ApplicationTargetState applicationTargetState(const AppDelegate& delegate) {
    ApplicationTargetState state;
    state.bundleIdentifier = delegate.*Family::selection;
    if (!state.bundleIdentifier) return state;
    for (const auto& set : delegate.settings.*Family::sets) {
        const auto listed = std::find_if(set.appTargets.begin(), set.appTargets.end(), [&](const SettingsSetAppTarget& target) {
            return target.bundleIdentifier == *state.bundleIdentifier;
        });
        if (listed == set.appTargets.end()) continue;
        state.setName = set.name;
        state.setTargetDisplayName = listed->displayName;
        break;
    }
    const auto& entries = delegate.settings.*Family::entries;
    if (const auto entry = entries.find(*state.bundleIdentifier); entry != entries.end()) {
        state.entryDisplayName = entry->second.displayName;
        state.usesDefault = entry->second.*Family::usesDefault;
    }
    return state;
}

} // namespace tessaril
