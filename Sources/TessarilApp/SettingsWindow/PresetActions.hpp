#pragma once

#include <optional>
#include <string>

#include <QLineEdit>
#include <QPointer>

#include "TessarilCore/Settings/KeyboardPreset.hpp"

namespace tessaril {

namespace appkit {
class Control;
} // namespace appkit

class AppDelegate;

// Choosing the preset the window edits (no saving), switching the active preset from the status menu,
// renaming the built-in presets, and creating and deleting custom presets. Changes of the settings are
// saved through `persistSettings`; a choice of what to edit only rebuilds the window. A sender that
// names no preset changes nothing. Keeps no state; main thread only.
class PresetActions {
public:
    explicit PresetActions(AppDelegate& delegate) : delegate_(delegate) {}

    void selectPresetToEditFromPopup(appkit::Control& sender);
    void selectBuiltInPresetFromButton(appkit::Control& sender);
    // Any identifier is taken: one of no existing preset shows the active preset.
    void selectCustomPresetFromButton(appkit::Control& sender);

    // The status menu's items, by their represented object. A custom identifier of no preset still
    // saves and rebuilds, with nothing changed.
    void selectBuiltInPreset(const std::optional<std::string>& representedObject);
    void selectCustomPreset(const std::optional<std::string>& representedObject);

    // The name in the preset's field; empty text or the default name restores the default name.
    void saveLaptopPresetName();
    void saveCompactPresetName();
    void saveFullSizePresetName();

    // A copy of the preset being edited, named from the custom-name field ("Custom Preset" when
    // empty), which becomes active and the one edited.
    void createCustomPreset();
    // Deletes the custom preset being edited, without asking; nothing while a built-in one is edited.
    void deleteActiveCustomPreset();

private:
    void savePresetName(KeyboardPreset preset, const QPointer<QLineEdit>& field);

    AppDelegate& delegate_;
};

} // namespace tessaril
