#include "TessarilApp/SetsAndRegistry/ShortcutRegistryConflictStatus.hpp"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

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

std::vector<ShortcutRegistryConflictStatus> conflictStatuses(const std::vector<ShortcutRegistryEntry>& entries) {
    std::unordered_map<Shortcut, std::vector<std::size_t>> enabledRowsByShortcut;
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const auto& entry = entries[index];
        if (entry.isEnabled && entry.shortcut) enabledRowsByShortcut[*entry.shortcut].push_back(index);
    }
    std::vector<ShortcutRegistryConflictStatus> statuses(entries.size(), ShortcutRegistryConflictStatus::none);
    // Counted per group rather than compared pairwise: one shortcut may be shared by hundreds of
    // applications' rows.
    for (const auto& [shortcut, rows] : enabledRowsByShortcut) {
        std::unordered_map<std::string_view, std::size_t> rowsWithID;
        std::unordered_map<std::string_view, std::size_t> rowsInScope;
        std::unordered_map<std::string, std::size_t> rowsWithIDInScope;
        const auto key = [](const ShortcutRegistryEntry& entry) { return entry.scopeID + '\x1f' + entry.id; };
        for (const std::size_t row : rows) {
            ++rowsWithID[entries[row].id];
            ++rowsInScope[entries[row].scopeID];
            ++rowsWithIDInScope[key(entries[row])];
        }
        for (const std::size_t row : rows) {
            const auto& entry = entries[row];
            const bool hasOther = rows.size() > rowsWithID[entry.id];
            const bool sharesScope = rowsInScope[entry.scopeID] > rowsWithIDInScope[key(entry)];
            if (hasOther) statuses[row] = sharesScope ? ShortcutRegistryConflictStatus::conflict : ShortcutRegistryConflictStatus::caution;
        }
    }
    return statuses;
}

} // namespace tessaril::shortcut_registry
