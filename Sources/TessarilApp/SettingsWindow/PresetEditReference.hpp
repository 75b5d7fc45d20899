#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "TessarilCore/Settings/KeyboardPresetReference.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"

namespace tessaril {

class AppDelegate;

// Which preset the basic and presets pages show and change, apart from the one the keyboard uses,
// and how the preset pop-up names presets. Main thread only.

// The delegate's `editingPresetReference` while it names a preset that still exists; the active
// preset otherwise (a deleted custom preset falls back without being forgotten).
KeyboardPresetReference editPresetReference(const AppDelegate& delegate);

// "builtIn:" and the preset's raw value, or "custom:" and the custom preset's identifier.
std::string presetEditMenuValue(const KeyboardPresetReference& reference);
// The reference such a value names, if that preset exists.
std::optional<KeyboardPresetReference> presetEditMenuReference(const TessarilSettings& settings, std::string_view value);

} // namespace tessaril
