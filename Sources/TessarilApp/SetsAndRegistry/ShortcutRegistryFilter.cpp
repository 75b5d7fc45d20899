#include "TessarilApp/SetsAndRegistry/ShortcutRegistryFilter.hpp"

#include <algorithm>

#include "TessarilApp/SetsAndRegistry/ShortcutRegistryConflictStatus.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril::shortcut_registry {

namespace {

template <class Predicate>
std::vector<ShortcutRegistryEntry> rowsWhere(const std::vector<ShortcutRegistryEntry>& entries, Predicate predicate) {
    std::vector<ShortcutRegistryEntry> rows;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(rows), predicate);
    return rows;
}

// Targets in localized standard order, then the sections within one target. Targets that the
// collation calls equal but that differ as text are told apart by their bytes, so the order stays a
// strict weak ordering and each target's rows stay together.
bool precedesBySet(const ShortcutRegistryEntry& left, const ShortcutRegistryEntry& right) {
    if (left.target != right.target) {
        const int byCollation = unicode::localizedStandardCompare(left.target, right.target);
        return byCollation != 0 ? byCollation < 0 : left.target < right.target;
    }
    return unicode::localizedStandardCompare(left.section, right.section) < 0;
}

} // namespace

std::string_view filterTitle(ShortcutRegistryFilter filter) {
    switch (filter) {
    case ShortcutRegistryFilter::activeOnly: return "有効のみ";
    case ShortcutRegistryFilter::registered: return "登録済み";
    case ShortcutRegistryFilter::conflicts: return "競合";
    case ShortcutRegistryFilter::sets: return "セット別";
    }
    return "";
}

std::vector<ShortcutRegistryEntry> filteredEntries(const std::vector<ShortcutRegistryEntry>& entries,
                                                   ShortcutRegistryFilter filter) {
    switch (filter) {
    case ShortcutRegistryFilter::activeOnly:
        return rowsWhere(entries, [](const ShortcutRegistryEntry& entry) { return entry.isEnabled && entry.shortcut; });
    case ShortcutRegistryFilter::registered:
        return rowsWhere(entries, [](const ShortcutRegistryEntry& entry) { return entry.shortcut.has_value(); });
    case ShortcutRegistryFilter::conflicts:
        return rowsWhere(entries, [&](const ShortcutRegistryEntry& entry) {
            return conflictStatus(entry, entries) != ShortcutRegistryConflictStatus::none;
        });
    case ShortcutRegistryFilter::sets: {
        auto rows = entries;
        std::stable_sort(rows.begin(), rows.end(), precedesBySet);
        return rows;
    }
    }
    return entries;
}

} // namespace tessaril::shortcut_registry
