#include "TessarilCore/Settings/TessarilSettingsMigrations.hpp"

#include <array>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "TessarilCore/Settings/AppShortcutGuardTarget.hpp"
#include "TessarilCore/Settings/TessarilSettingsPerApplication.hpp"
#include "TessarilCore/Support/UUIDGenerator.hpp"

namespace tessaril {
namespace {

constexpr std::array<std::string_view, 2> legacySystemSettingsBundleIdentifiers{
    "com.apple.systempreferences", "com.apple.SystemSettings"};
constexpr std::array<std::string_view, 4> legacySystemSettingsDisplayNames{
    "System Settings", "System Preferences", "システム設定", "システム環境設定"};

bool isLegacySystemSettingsTarget(std::string_view bundleIdentifier, std::string_view displayName) {
    for (auto identifier : legacySystemSettingsBundleIdentifiers) {
        if (bundleIdentifier == identifier) return true;
    }
    for (auto name : legacySystemSettingsDisplayNames) {
        if (displayName == name) return true;
    }
    return false;
}

template <class Visit> void forEachProfile(TessarilSettings& settings, Visit&& visit) {
    visit(settings.profiles.laptop);
    visit(settings.profiles.compactUS);
    visit(settings.profiles.fullSizeUS);
}

// An imported entry without a name shows its bundle identifier.
template <class Entry> void nameUnnamedEntries(TessarilSettings::AppMap<Entry>& entries) {
    for (auto& [bundleIdentifier, entry] : entries) {
        if (entry.displayName.empty()) entry.displayName = bundleIdentifier;
    }
}

// The first entry with an identifier keeps it; a fresh one is also unlike every identifier that comes
// later in the list.
template <class Entry> void renewRepeatedIdentifiers(std::vector<Entry>& entries) {
    std::unordered_set<std::string> taken;
    for (const auto& entry : entries) taken.insert(entry.id);
    if (taken.size() == entries.size()) return;
    std::unordered_set<std::string> seen;
    for (auto& entry : entries) {
        if (seen.insert(entry.id).second) continue;
        do {
            entry.id = UUIDGenerator::next();
        } while (!taken.insert(entry.id).second);
    }
}

void renewRepeatedIdentifiers(WritingAssistSettings& writingAssist) {
    renewRepeatedIdentifiers(writingAssist.pairAssistRules);
}

void renewRepeatedIdentifiers(FixedPhraseAssistSettings& fixedPhrases) { renewRepeatedIdentifiers(fixedPhrases.rules); }

bool allKeypadRulesEnabled(const KeypadShortcutHackSettings& hacks) {
    return hacks.period.isEnabled && hacks.slash.isEnabled && hacks.asterisk.isEnabled && hacks.hyphen.isEnabled &&
           hacks.plus.isEnabled;
}

void disableIfAllKeypadRulesEnabled(KeypadShortcutHackSettings& hacks) {
    if (allKeypadRulesEnabled(hacks)) hacks.disableAll();
}

// Text tools as earlier versions shipped them: all three on.
TextToolSettings legacyEnabledTextTools() {
    TextToolSettings tools;
    tools.plainCopy.isEnabled = true;
    tools.plainPaste.isEnabled = true;
    tools.characterCount.isEnabled = true;
    return tools;
}

// The guard earlier versions shipped: on, 700 ms, Command+Q and Command+W.
DoublePressGuardSettings legacyEnabledGuard() {
    return DoublePressGuardSettings(true, 700, {Shortcut::commandQ(), Shortcut::commandW()});
}

} // namespace

bool isStandardAppShortcutGuardTarget(std::string_view bundleIdentifier) {
    return AppShortcutGuardTarget::isStandardTarget(bundleIdentifier);
}

void removeLegacySystemSettingsShortcutTarget(TessarilSettings& settings) {
    std::erase_if(settings.appShortcutGuardSettings, [](const auto& item) {
        return isLegacySystemSettingsTarget(item.first, item.second.displayName);
    });
}

void disablePerKeyboardPresetAssignments(TessarilSettings& settings) {
    settings.usesPerKeyboardPresetAssignments = false;
    settings.keyboardPresetAssignments.clear();
    settings.keyboardCustomPresetAssignments.clear();
}

void normalizeShortcutBaseKeys(TessarilSettings& settings) {
    settings.textTools.normalizeShortcutBaseKeys();
    settings.writingAssist.normalizeShortcutBaseKeys();
    for (auto& [bundleIdentifier, entry] : settings.appWritingAssistSettings) entry.writingAssist.normalizeShortcutBaseKeys();
    for (auto& set : settings.writingAssistSets) set.value.normalizeShortcutBaseKeys();
    settings.fixedPhraseAssist.normalizeShortcutBaseKeys();
    for (auto& [bundleIdentifier, entry] : settings.appFixedPhraseAssistSettings) {
        entry.fixedPhraseAssist.normalizeShortcutBaseKeys();
    }
    for (auto& set : settings.fixedPhraseAssistSets) set.value.normalizeShortcutBaseKeys();
}

void renewRepeatedIdentifiers(TessarilSettings& settings) {
    renewRepeatedIdentifiers(settings.customPresets);
    renewRepeatedIdentifiers(settings.shortcutGuardSets);
    renewRepeatedIdentifiers(settings.keypadShortcutHackSets);
    renewRepeatedIdentifiers(settings.writingAssistSets);
    renewRepeatedIdentifiers(settings.fixedPhraseAssistSets);

    renewRepeatedIdentifiers(settings.writingAssist);
    for (auto& [bundleIdentifier, entry] : settings.appWritingAssistSettings) renewRepeatedIdentifiers(entry.writingAssist);
    for (auto& set : settings.writingAssistSets) renewRepeatedIdentifiers(set.value);

    renewRepeatedIdentifiers(settings.fixedPhraseAssist);
    for (auto& [bundleIdentifier, entry] : settings.appFixedPhraseAssistSettings) {
        renewRepeatedIdentifiers(entry.fixedPhraseAssist);
    }
    for (auto& set : settings.fixedPhraseAssistSets) renewRepeatedIdentifiers(set.value);
}

void normalizeImportedSettings(TessarilSettings& settings) {
    forEachProfile(settings, [](RuleEngineSettings& profile) { profile.normalizeForImport(); });
    for (auto& preset : settings.customPresets) preset.settings.normalizeForImport();

    settings.globalShortcutGuard.normalizeForImport();
    for (auto& [bundleIdentifier, entry] : settings.appShortcutGuardSettings) entry.doublePressGuard.normalizeForImport();
    nameUnnamedEntries(settings.appShortcutGuardSettings);

    nameUnnamedEntries(settings.appWritingAssistSettings);

    settings.fixedPhraseAssist.normalizeForImport();
    nameUnnamedEntries(settings.appFixedPhraseAssistSettings);
    for (auto& [bundleIdentifier, entry] : settings.appFixedPhraseAssistSettings) entry.fixedPhraseAssist.normalizeForImport();

    settings.keypadShortcutHacks.normalizeForImport();
    nameUnnamedEntries(settings.appKeypadShortcutHackSettings);
    for (auto& [bundleIdentifier, entry] : settings.appKeypadShortcutHackSettings) {
        entry.keypadShortcutHacks.normalizeForImport();
    }

    for (auto& set : settings.shortcutGuardSets) {
        set.normalizeAppTargets();
        set.value.normalizeForImport();
    }
    for (auto& set : settings.keypadShortcutHackSets) {
        set.normalizeAppTargets();
        set.value.normalizeForImport();
    }
    for (auto& set : settings.writingAssistSets) {
        set.normalizeAppTargets();
        auto rules = set.value.effectivePairAssistRules();
        for (auto& rule : rules) rule = WritingAssistSettings::normalizedPairAssistRule(rule);
        set.value.pairAssistRules = std::move(rules);
    }
    for (auto& set : settings.fixedPhraseAssistSets) {
        set.normalizeAppTargets();
        set.value.normalizeForImport();
    }

    settings.shortcutGuardSets = normalizedSetTargetOwnership(std::move(settings.shortcutGuardSets));
    settings.keypadShortcutHackSets = normalizedSetTargetOwnership(std::move(settings.keypadShortcutHackSets));
    settings.writingAssistSets = normalizedSetTargetOwnership(std::move(settings.writingAssistSets));
    settings.fixedPhraseAssistSets = normalizedSetTargetOwnership(std::move(settings.fixedPhraseAssistSets));

    normalizeShortcutBaseKeys(settings);
    settings.normalizePresetDisplayNames();
    removeLegacySystemSettingsShortcutTarget(settings);
    settings.ensureStandardAppShortcutGuardTargets();
    renewRepeatedIdentifiers(settings);
}

void disableLegacyOptionalHelpersByDefault(TessarilSettings& settings) {
    forEachProfile(settings, [](RuleEngineSettings& profile) {
        // The legacy Shift+Command flags follow the modified actions, so they turn false with them.
        profile.setRightModifiedCommandAction(ModifiedCommandAction::disabled);
        profile.setLeftModifiedCommandAction(ModifiedCommandAction::disabled);
        profile.keypadShortcutHacks.disableAll();
    });
    settings.keypadShortcutHacks.disableAll();
    for (auto& [bundleIdentifier, entry] : settings.appKeypadShortcutHackSettings) entry.keypadShortcutHacks.disableAll();
}

void disableLegacyEnabledDefaultAssistFeatures(TessarilSettings& settings) {
    if (settings.textTools == legacyEnabledTextTools()) {
        settings.textTools.plainCopy.isEnabled = false;
        settings.textTools.plainPaste.isEnabled = false;
        settings.textTools.characterCount.isEnabled = false;
    }

    const DoublePressGuardSettings legacyGuard = legacyEnabledGuard();
    const DoublePressGuardSettings replacement;
    if (settings.globalShortcutGuard == legacyGuard) settings.globalShortcutGuard = replacement;
    for (auto& [bundleIdentifier, entry] : settings.appShortcutGuardSettings) {
        if (!entry.usesDefaultShortcutGuard && entry.doublePressGuard == legacyGuard) entry.doublePressGuard = replacement;
    }
    for (auto& set : settings.shortcutGuardSets) {
        if (set.value == legacyGuard) set.value = replacement;
    }
}

void disableUnsafeKeypadHackDevelopmentDefaults(TessarilSettings& settings) {
    forEachProfile(settings, [](RuleEngineSettings& profile) { disableIfAllKeypadRulesEnabled(profile.keypadShortcutHacks); });
    disableIfAllKeypadRulesEnabled(settings.keypadShortcutHacks);
    for (auto& [bundleIdentifier, entry] : settings.appKeypadShortcutHackSettings) {
        disableIfAllKeypadRulesEnabled(entry.keypadShortcutHacks);
    }
    for (auto& preset : settings.customPresets) disableIfAllKeypadRulesEnabled(preset.settings.keypadShortcutHacks);
}

} // namespace tessaril
