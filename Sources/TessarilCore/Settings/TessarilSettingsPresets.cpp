#include "TessarilCore/Settings/TessarilSettings.hpp"

#include <algorithm>

#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {

const CustomKeyboardPreset* TessarilSettings::customPreset(std::string_view id) const {
    auto found = std::find_if(customPresets.begin(), customPresets.end(),
                              [&](const CustomKeyboardPreset& preset) { return preset.id == id; });
    return found == customPresets.end() ? nullptr : &*found;
}

CustomKeyboardPreset* TessarilSettings::customPreset(std::string_view id) {
    return const_cast<CustomKeyboardPreset*>(std::as_const(*this).customPreset(id));
}

void TessarilSettings::sortCustomPresets() {
    unicode::stableSortLocalized(customPresets, [](const CustomKeyboardPreset& preset) -> const std::string& {
        return preset.name;
    });
}

KeyboardPresetReference TessarilSettings::activePresetReference() const {
    if (activeCustomPresetID && customPreset(*activeCustomPresetID) != nullptr) {
        return KeyboardPresetReference::custom(*activeCustomPresetID);
    }
    return KeyboardPresetReference::builtIn(activePreset);
}

const RuleEngineSettings& TessarilSettings::activeRuleEngineSettings() const {
    return ruleEngineSettings(activePresetReference());
}

const RuleEngineSettings& TessarilSettings::ruleEngineSettings(const KeyboardPresetReference& reference) const {
    if (auto builtIn = reference.builtInPreset()) return profiles[*builtIn];
    if (const auto* preset = customPreset(reference.customID())) return preset->settings;
    return profiles[activePreset];
}

KeyboardPresetReference TessarilSettings::presetReference(const std::optional<KeyboardIdentifier>& keyboard) const {
    if (!usesPerKeyboardPresetAssignments || !keyboard) return activePresetReference();
    auto custom = keyboardCustomPresetAssignments.find(keyboard->rawValue);
    if (custom != keyboardCustomPresetAssignments.end() && customPreset(custom->second) != nullptr) {
        return KeyboardPresetReference::custom(custom->second);
    }
    auto builtIn = keyboardPresetAssignments.find(keyboard->rawValue);
    if (builtIn != keyboardPresetAssignments.end()) return KeyboardPresetReference::builtIn(builtIn->second);
    return activePresetReference();
}

KeyboardPreset TessarilSettings::preset(const std::optional<KeyboardIdentifier>& keyboard) const {
    return presetReference(keyboard).builtInPreset().value_or(activePreset);
}

const RuleEngineSettings& TessarilSettings::ruleEngineSettings(const std::optional<KeyboardIdentifier>& keyboard) const {
    return ruleEngineSettings(presetReference(keyboard));
}

bool TessarilSettings::containsPresetReference(const KeyboardPresetReference& reference) const {
    return reference.isBuiltIn() || customPreset(reference.customID()) != nullptr;
}

std::string TessarilSettings::displayName(KeyboardPreset preset) const {
    auto found = presetDisplayNames.find(std::string(rawValue(preset)));
    if (found != presetDisplayNames.end()) {
        auto trimmed = unicode::trimmingWhitespaceAndNewlines(found->second);
        if (!trimmed.empty()) return trimmed;
    }
    return std::string(defaultDisplayName(preset));
}

void TessarilSettings::updateRuleEngineSettings(const KeyboardPresetReference& reference,
                                                const std::function<void(RuleEngineSettings&)>& edit) {
    if (auto builtIn = reference.builtInPreset()) {
        edit(profiles[*builtIn]);
    } else if (auto* preset = customPreset(reference.customID())) {
        edit(preset->settings);
    }
}

void TessarilSettings::updateActiveRuleEngineSettings(const std::function<void(RuleEngineSettings&)>& edit) {
    updateRuleEngineSettings(activePresetReference(), edit);
}

void TessarilSettings::resetActivePresetToDefaults() {
    auto reference = activePresetReference();
    if (reference.isCustom()) {
        customPreset(reference.customID())->settings = defaultRuleEngineSettings(activePreset);
    } else {
        profiles[activePreset] = defaultRuleEngineSettings(activePreset);
    }
}

void TessarilSettings::setActiveBuiltInPreset(KeyboardPreset preset) {
    activePreset = preset;
    activeCustomPresetID.reset();
}

bool TessarilSettings::setActiveCustomPreset(const std::string& id) {
    if (customPreset(id) == nullptr) return false;
    activeCustomPresetID = id;
    return true;
}

void TessarilSettings::assignActivePreset(const KeyboardIdentifier& keyboard) {
    auto reference = activePresetReference();
    if (auto builtIn = reference.builtInPreset()) {
        keyboardCustomPresetAssignments.erase(keyboard.rawValue);
        keyboardPresetAssignments.insert_or_assign(keyboard.rawValue, *builtIn);
    } else {
        keyboardPresetAssignments.erase(keyboard.rawValue);
        keyboardCustomPresetAssignments.insert_or_assign(keyboard.rawValue, reference.customID());
    }
}

void TessarilSettings::clearAssignment(const KeyboardIdentifier& keyboard) {
    keyboardPresetAssignments.erase(keyboard.rawValue);
    keyboardCustomPresetAssignments.erase(keyboard.rawValue);
}

void TessarilSettings::renamePreset(KeyboardPreset preset, std::string_view name) {
    auto trimmed = unicode::trimmingWhitespaceAndNewlines(name);
    std::string key(rawValue(preset));
    if (!trimmed.empty() && trimmed != defaultDisplayName(preset)) {
        presetDisplayNames.insert_or_assign(key, unicode::prefixCharacters(trimmed, maximumPresetDisplayNameLength));
    } else {
        presetDisplayNames.erase(key);
    }
    normalizePresetDisplayNames();
}

std::string TessarilSettings::createCustomPreset(std::string_view name,
                                                 const std::optional<RuleEngineSettings>& baseSettings,
                                                 const std::string& id) {
    auto trimmed = unicode::trimmingWhitespaceAndNewlines(name);
    if (trimmed.empty()) trimmed = defaultCustomPresetName;
    customPresets.push_back(CustomKeyboardPreset{id, std::move(trimmed),
                                                 baseSettings ? *baseSettings : activeRuleEngineSettings()});
    sortCustomPresets();
    activeCustomPresetID = id;
    return id;
}

void TessarilSettings::renameCustomPreset(const std::string& id, std::string_view name) {
    auto* preset = customPreset(id);
    if (preset == nullptr) return;
    auto trimmed = unicode::trimmingWhitespaceAndNewlines(name);
    if (trimmed.empty()) return;
    preset->name = std::move(trimmed);
    sortCustomPresets();
}

void TessarilSettings::deleteCustomPreset(const std::string& id) {
    std::erase_if(customPresets, [&](const CustomKeyboardPreset& preset) { return preset.id == id; });
    std::erase_if(keyboardCustomPresetAssignments, [&](const auto& entry) { return entry.second == id; });
    if (activeCustomPresetID == id) activeCustomPresetID.reset();
}

} // namespace tessaril
