#pragma once

#include <string_view>

#include "TessarilCore/Settings/TessarilSettings.hpp"

namespace tessaril {

// Repairs that bring a stored or imported settings document up to the current rules: one-time
// migrations of values that earlier versions wrote as defaults, normalisations that run on every load,
// and the clean-up of an imported document. Each changes the document in place and reports nothing;
// the settings store compares the document before and after to decide whether to save. Every one is
// idempotent. Plain functions on a value; any thread that owns the document.

// True for the Finder, the guard target every document keeps and that cannot be removed.
bool isStandardAppShortcutGuardTarget(std::string_view bundleIdentifier);

// ---- Every load (and import)

// Drops the guard entries of System Settings / System Preferences, by bundle identifier or by name.
void removeLegacySystemSettingsShortcutTarget(TessarilSettings& settings);
// Turns per-keyboard preset assignments off and forgets them.
void disablePerKeyboardPresetAssignments(TessarilSettings& settings);
// Rewrites the character keys of text-tool, writing-assist and fixed-phrase triggers to their base
// characters. Guards and keypad hacks are not triggers of this kind.
void normalizeShortcutBaseKeys(TessarilSettings& settings);

// Gives every entry that repeats an identifier already used earlier in its own list a fresh one, so
// that the window, which finds entries by identifier, acts on one entry at a time. The lists: custom
// presets, each kind of settings set, and the pair rules and the fixed phrases of every scope. The
// same identifier in different lists stays: a set's copy of a global rule keeps the rule's identifier.
void renewRepeatedIdentifiers(TessarilSettings& settings);

// ---- Import

// Clamps, validates and cleans everything an imported file may carry, and gives every application to
// the first set of a feature that lists it.
void normalizeImportedSettings(TessarilSettings& settings);

// ---- Once per defaults domain

// Switches off the modified-command switching of the built-in presets and every keypad hack outside
// custom presets and sets: earlier versions shipped them on.
void disableLegacyOptionalHelpersByDefault(TessarilSettings& settings);
// Switches off text tools and shortcut guards that still hold the enabled defaults of earlier versions.
void disableLegacyEnabledDefaultAssistFeatures(TessarilSettings& settings);
// Switches off keypad hacks wherever all five rules are on, as development builds left them.
void disableUnsafeKeypadHackDevelopmentDefaults(TessarilSettings& settings);

} // namespace tessaril
