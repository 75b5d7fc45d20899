#include "TessarilApp/SettingsWindow/PresetActions.hpp"

#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/TextField.hpp"
#include "TessarilApp/SettingsWindow/PresetEditReference.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilCore/Support/UUIDGenerator.hpp"

namespace tessaril {

void PresetActions::selectPresetToEditFromPopup(appkit::Control& sender) {
    const auto* popup = dynamic_cast<const appkit::PopUpButton*>(&sender);
    const auto value = popup ? popup->representedObjectOfSelectedItem() : std::nullopt;
    if (!value) return;
    const auto reference = presetEditMenuReference(delegate_.settings, *value);
    if (!reference) return;
    delegate_.editingPresetReference = *reference;
    delegate_.rebuildSettingsWindow();
}

void PresetActions::selectBuiltInPresetFromButton(appkit::Control& sender) {
    const auto preset = enumFromRawValue<KeyboardPreset>(sender.identifier());
    if (!preset) return;
    delegate_.editingPresetReference = KeyboardPresetReference::builtIn(*preset);
    delegate_.rebuildSettingsWindow();
}

void PresetActions::selectCustomPresetFromButton(appkit::Control& sender) {
    if (sender.identifier().empty()) return;
    delegate_.editingPresetReference = KeyboardPresetReference::custom(sender.identifier());
    delegate_.rebuildSettingsWindow();
}

void PresetActions::selectBuiltInPreset(const std::optional<std::string>& representedObject) {
    const auto preset = representedObject ? enumFromRawValue<KeyboardPreset>(*representedObject) : std::nullopt;
    if (!preset) return;
    delegate_.settings.setActiveBuiltInPreset(*preset);
    delegate_.persistSettings(true);
}

void PresetActions::selectCustomPreset(const std::optional<std::string>& representedObject) {
    if (!representedObject) return;
    delegate_.settings.setActiveCustomPreset(*representedObject);
    delegate_.persistSettings(true);
}

void PresetActions::savePresetName(KeyboardPreset preset, const QPointer<QLineEdit>& field) {
    delegate_.settings.renamePreset(preset, field ? appkit::committedText(*field) : std::string());
    delegate_.persistSettings(true);
}

void PresetActions::saveLaptopPresetName() { savePresetName(KeyboardPreset::laptop, delegate_.laptopPresetNameField); }

void PresetActions::saveCompactPresetName() { savePresetName(KeyboardPreset::compactUS, delegate_.compactPresetNameField); }

void PresetActions::saveFullSizePresetName() {
    savePresetName(KeyboardPreset::fullSizeUS, delegate_.fullSizePresetNameField);
}

void PresetActions::createCustomPreset() {
    const auto& field = delegate_.customPresetNameField;
    const std::string name = field ? appkit::committedText(*field) : std::string();
    const std::string identifier = "custom-" + UUIDGenerator::next();
    // Copied before the document grows, which may move the preset it refers to.
    const RuleEngineSettings base = delegate_.settings.ruleEngineSettings(editPresetReference(delegate_));
    delegate_.settings.createCustomPreset(name, base, identifier);
    delegate_.editingPresetReference = KeyboardPresetReference::custom(identifier);
    delegate_.persistSettings(true);
}

void PresetActions::deleteActiveCustomPreset() {
    const auto reference = editPresetReference(delegate_);
    if (!reference.isCustom()) return;
    delegate_.settings.deleteCustomPreset(reference.customID());
    delegate_.editingPresetReference.reset();
    delegate_.persistSettings(true);
}

} // namespace tessaril
