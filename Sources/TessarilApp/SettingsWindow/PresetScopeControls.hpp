#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "TessarilApp/AppKit/Action.hpp"
#include "TessarilApp/SettingsWindow/PresetScopeSelection.hpp"
#include "TessarilCore/Settings/KeyboardPreset.hpp"

namespace tessaril {

namespace appkit {
class Control;
class PopUpButton;
class StackView;
} // namespace appkit

class TessarilButton;

// The row of preset check boxes of a rule ("ALL", "P1", "P2", "P3") and how their identifiers and
// states turn into a rule's new `activePresets`. Main thread only; nothing here changes settings.

// `identifier` is the rule key; each box carries the key, "|" and "all" or the preset's raw value.
appkit::StackView* makePresetScopeControls(KeyboardPresetSet activePresets, const std::string& identifier,
                                           const appkit::Action& action, bool isEditable);
TessarilButton* makePresetScopeCheckbox(const std::string& title, const std::string& identifier, bool isOn,
                                        appkit::Action action, bool isEditable);

// The selection a box's identifier names; none without an identifier or for one that does not parse.
std::optional<PresetScopeSelection> presetScopeSelection(std::string_view identifier);
std::optional<PresetScopeSelection> presetScopeSelection(const appkit::Control& control);

// A rule's presets after a box was ticked or unticked; never anything outside the built-in presets.
KeyboardPresetSet updatedPresetScope(KeyboardPresetSet current, std::optional<KeyboardPreset> preset, bool isOn);

// The value a target pop-up's selection stands for: a bundle identifier, or none for the default
// target ("__default__", no selection or no value).
std::optional<std::string> selectedAppTargetBundleIdentifier(const appkit::PopUpButton& popup);

// The target pop-up's value of the default item.
inline constexpr std::string_view defaultTargetValue = "__default__";

} // namespace tessaril
