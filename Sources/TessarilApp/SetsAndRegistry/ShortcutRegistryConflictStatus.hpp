#pragma once

#include <string_view>
#include <vector>

#include "TessarilApp/SetsAndRegistry/ShortcutRegistryEntry.hpp"

namespace tessaril {

// How a registry row's shortcut overlaps with other enabled rows: not at all, only in other scopes, or
// within its own scope.
enum class ShortcutRegistryConflictStatus { none, caution, conflict };

namespace shortcut_registry {

// "なし", "注意" or "競合あり".
std::string_view conflictWord(ShortcutRegistryConflictStatus status);

// `none` for a disabled row or one without a shortcut; else by the other enabled rows of `entries`
// (other identifier) with an equal shortcut: none of them `none`, one in the same scope `conflict`,
// all in other scopes `caution`.
ShortcutRegistryConflictStatus conflictStatus(const ShortcutRegistryEntry& entry,
                                              const std::vector<ShortcutRegistryEntry>& entries);

// The status of every row of `entries` against all of them, in their order: the same answers as
// `conflictStatus` row by row, with rows grouped by shortcut so a large registry is not compared
// pair by pair.
std::vector<ShortcutRegistryConflictStatus> conflictStatuses(const std::vector<ShortcutRegistryEntry>& entries);

// The other enabled rows (other identifier) that hold the same shortcut as `entry`; none when `entry`
// has no shortcut, since unassigned rows share nothing.
std::vector<ShortcutRegistryEntry> relatedEntries(const ShortcutRegistryEntry& entry,
                                                  const std::vector<ShortcutRegistryEntry>& entries);

} // namespace shortcut_registry

} // namespace tessaril
