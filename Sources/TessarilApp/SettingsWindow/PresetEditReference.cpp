#include "TessarilApp/SettingsWindow/PresetEditReference.hpp"

#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

constexpr std::string_view builtInPrefix = "builtIn:";
constexpr std::string_view customPrefix = "custom:";

} // namespace

KeyboardPresetReference editPresetReference(const AppDelegate& delegate) {
    const auto& editing = delegate.editingPresetReference;
    if (editing && delegate.settings.containsPresetReference(*editing)) return *editing;
    return delegate.settings.activePresetReference();
}

std::string presetEditMenuValue(const KeyboardPresetReference& reference) {
    if (const auto preset = reference.builtInPreset()) return std::string(builtInPrefix) + std::string(rawValue(*preset));
    return std::string(customPrefix) + reference.customID();
}

std::optional<KeyboardPresetReference> presetEditMenuReference(const TessarilSettings& settings, std::string_view value) {
    if (value.starts_with(builtInPrefix)) {
        const auto preset = enumFromRawValue<KeyboardPreset>(value.substr(builtInPrefix.size()));
        if (!preset) return std::nullopt;
        return KeyboardPresetReference::builtIn(*preset);
    }
    if (value.starts_with(customPrefix)) {
        auto reference = KeyboardPresetReference::custom(std::string(value.substr(customPrefix.size())));
        if (!settings.containsPresetReference(reference)) return std::nullopt;
        return reference;
    }
    return std::nullopt;
}

} // namespace tessaril
