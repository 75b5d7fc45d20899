#pragma once

#include <optional>
#include <string>
#include <vector>

#include "TessarilApp/SetsAndRegistry/ShortcutCaptureTarget.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutRegistryEntry.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"

namespace tessaril::shortcut_registry {

// Every shortcut assignment of the document, group by group: text tools; writing assist of the
// default, of applications with their own settings, of sets; the same for fixed phrases and for the
// shortcut guard. Applications in display-name order (equal names by bundle identifier), sets in
// name order (equal names in stored order), rules in their stored or letter order. Every rule is
// listed, with or without a shortcut; keypad hacks have none.
std::vector<ShortcutRegistryEntry> entries(const TessarilSettings& settings);

// The identifier of the row that a capture of `target` edits. A fixed-phrase rule edited for the
// selected application is the row of the first fixed-phrase set that lists the application, else of
// the application's own phrases; with no application, the row of the default phrases.
std::string registryID(const ShortcutCaptureTarget& target, const TessarilSettings& settings,
                       const std::optional<std::string>& selectedFixedPhraseAppBundleIdentifier);

} // namespace tessaril::shortcut_registry
