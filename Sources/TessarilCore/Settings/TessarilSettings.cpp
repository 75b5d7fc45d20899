#include "TessarilCore/Settings/TessarilSettings.hpp"

#include "TessarilCore/Settings/AppShortcutGuardTarget.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {

TessarilSettings::TessarilSettings() {
    ensureStandardAppShortcutGuardTargets();
    normalizePresetDisplayNames();
}

TessarilSettings TessarilSettings::memberwise(const std::function<void(TessarilSettings&)>& setFields) {
    TessarilSettings settings{Unnormalized{}};
    setFields(settings);
    settings.ensureStandardAppShortcutGuardTargets();
    settings.normalizePresetDisplayNames();
    return settings;
}

KeyboardPresetProfiles TessarilSettings::defaultProfiles() {
    return KeyboardPresetProfiles(defaultRuleEngineSettings(KeyboardPreset::laptop),
                                  defaultRuleEngineSettings(KeyboardPreset::compactUS),
                                  defaultRuleEngineSettings(KeyboardPreset::fullSizeUS));
}

void TessarilSettings::ensureStandardAppShortcutGuardTargets() {
    const std::string finder(AppShortcutGuardTarget::finderBundleIdentifier);
    auto found = appShortcutGuardSettings.find(finder);
    if (found != appShortcutGuardSettings.end()) {
        found->second.displayName = AppShortcutGuardTarget::finderDisplayName;
        return;
    }
    appShortcutGuardSettings.emplace(
        finder, AppShortcutGuardSettings{std::string(AppShortcutGuardTarget::finderDisplayName), true,
                                         globalShortcutGuard});
}

void TessarilSettings::normalizePresetDisplayNames() {
    std::map<std::string, std::string> normalized;
    for (const auto& [key, value] : presetDisplayNames) {
        auto preset = enumFromRawValue<KeyboardPreset>(key);
        if (!preset) continue;
        auto trimmed = unicode::trimmingWhitespaceAndNewlines(value);
        if (trimmed.empty() || trimmed == defaultDisplayName(*preset)) continue;
        // Trimmed again after the cut so that normalising a normalised map changes nothing; a cut that
        // leaves the default name is the default name.
        auto name = unicode::prefixCharactersTrimmingEnd(trimmed, maximumPresetDisplayNameLength);
        if (name == defaultDisplayName(*preset)) continue;
        normalized.emplace(key, std::move(name));
    }
    presetDisplayNames = std::move(normalized);
}

} // namespace tessaril
