#include "TessarilApp/SetsAndRegistry/ApplicationTargetFamily.hpp"

namespace tessaril {

namespace {

template <class Value>
std::optional<std::string> firstSetName(const std::vector<SettingsSet<Value>>& sets, std::string_view bundleIdentifier) {
    for (const auto& set : sets) {
        if (set.targetsApp(bundleIdentifier)) return set.name;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> featureSetNameContainingApp(const TessarilSettings& settings, SettingsTab tab,
                                                       std::string_view bundleIdentifier) {
    switch (tab) {
    case SettingsTab::keypadHacks: return firstSetName(settings.keypadShortcutHackSets, bundleIdentifier);
    case SettingsTab::shortcutGuard: return firstSetName(settings.shortcutGuardSets, bundleIdentifier);
    case SettingsTab::writingAssist: return firstSetName(settings.writingAssistSets, bundleIdentifier);
    case SettingsTab::fixedPhrases: return firstSetName(settings.fixedPhraseAssistSets, bundleIdentifier);
    default: return std::nullopt;
    }
}

std::string ApplicationTargetState::tag() const {
    if (!bundleIdentifier) return "基準";
    if (setName) return "セット";
    if (hasOwnEntry()) return "個別";
    return "デフォルト準拠";
}

} // namespace tessaril
