#pragma once

#include <string>
#include <vector>

#include "TessarilApp/SetsAndRegistry/ShortcutRegistryEntry.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"

namespace tessaril::testing {

// Shortcuts the registry tests share.
Shortcut commandControl(const std::string& key);
Shortcut controlShift(const std::string& key);

PairAssistRule pairRule(const std::string& id, bool isEnabled, std::optional<Shortcut> trigger, const std::string& opening,
                        const std::string& closing);
FixedPhraseRule phraseRule(const std::string& id, const std::string& title, bool isEnabled, std::optional<Shortcut> trigger);
DoublePressGuardSettings guardWith(bool isEnabled, const std::vector<std::pair<std::string, bool>>& letters);

// A document with rows in every group of the registry: plain copy on ⌘⌃C; default pair rules (one
// without a trigger); writing assist of two applications named "Beta" ("com.b" and "com.a"), one named
// "Alpha" ("com.z") and one that follows the default; writing-assist sets "Set 10" and "Set 9"; a
// default phrase on ⌘⌃C and one on ⌘⌃V; "com.a"'s own phrase on ⌘⌃V; phrase set "Mail" for "com.m"; the
// default guard off; "com.a"'s own guard with ⌘X; guard set "Work" with ⌘Q.
TessarilSettings documentWithEveryGroup();

// One line per row: id, section, item, shortcut, target, scope, enabled, page, set — for whole-table
// comparisons that print readably.
std::string describe(const ShortcutRegistryEntry& entry);
std::vector<std::string> describe(const std::vector<ShortcutRegistryEntry>& entries);
std::vector<std::string> ids(const std::vector<ShortcutRegistryEntry>& entries);

} // namespace tessaril::testing
