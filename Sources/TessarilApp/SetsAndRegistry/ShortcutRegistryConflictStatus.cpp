#include "TessarilApp/SetsAndRegistry/ShortcutRegistryConflictStatus.hpp"

#include <algorithm>

namespace tessaril::shortcut_registry {

std::string_view conflictWord(ShortcutRegistryConflictStatus status) {
    switch (status) {
    case ShortcutRegistryConflictStatus::none: return "なし";
    case ShortcutRegistryConflictStatus::caution: return "注意";
    case ShortcutRegistryConflictStatus::conflict: return "競合あり";
    }
    return "なし";
}

std::vector<ShortcutRegistryEntry> relatedEntries(const ShortcutRegistryEntry& entry,
                                                  const std::vector<ShortcutRegistryEntry>& entries) {
    std::vector<ShortcutRegistryEntry> related;
    if (!entry.shortcut) return related;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(related), [&](const ShortcutRegistryEntry& other) {
        return other.id != entry.id && other.isEnabled && other.shortcut == entry.shortcut;
    });
    return related;
}

ShortcutRegistryConflictStatus conflictStatus(const ShortcutRegistryEntry& entry,
                                              const std::vector<ShortcutRegistryEntry>& entries) {
    if (!entry.shortcut || !entry.isEnabled) return ShortcutRegistryConflictStatus::none;
    const auto related = relatedEntries(entry, entries);
    if (related.empty()) return ShortcutRegistryConflictStatus::none;
    const bool sharesScope = std::any_of(related.begin(), related.end(), [&](const ShortcutRegistryEntry& other) {
        return other.scopeID == entry.scopeID;
    });
    return sharesScope ? ShortcutRegistryConflictStatus::conflict : ShortcutRegistryConflictStatus::caution;
}

} // namespace tessaril::shortcut_registry
