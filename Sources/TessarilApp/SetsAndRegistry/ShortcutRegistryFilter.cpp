#include "TessarilApp/SetsAndRegistry/ShortcutRegistryFilter.hpp"

#include <algorithm>

#include "TessarilApp/SetsAndRegistry/ShortcutRegistryConflictStatus.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril::shortcut_registry {

namespace {

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

std::vector<std::size_t> filteredIndices(const std::vector<ShortcutRegistryEntry>& entries,
                                         const std::vector<ShortcutRegistryConflictStatus>& statuses,
                                         ShortcutRegistryFilter filter) {
    std::vector<std::size_t> shown;
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const auto& entry = entries[index];
        const bool isShown = filter == ShortcutRegistryFilter::activeOnly   ? entry.isEnabled && entry.shortcut
                             : filter == ShortcutRegistryFilter::registered ? entry.shortcut.has_value()
                             : filter == ShortcutRegistryFilter::conflicts  ? statuses[index] != ShortcutRegistryConflictStatus::none
                                                                            : true;
        if (isShown) shown.push_back(index);
    }
    if (filter == ShortcutRegistryFilter::sets) {
        std::stable_sort(shown.begin(), shown.end(),
                         [&](std::size_t left, std::size_t right) { return precedesBySet(entries[left], entries[right]); });
    }
    return shown;
}

std::vector<ShortcutRegistryEntry> filteredEntries(const std::vector<ShortcutRegistryEntry>& entries,
                                                   ShortcutRegistryFilter filter) {
    std::vector<ShortcutRegistryEntry> rows;
    for (const std::size_t index : filteredIndices(entries, conflictStatuses(entries), filter)) rows.push_back(entries[index]);
    return rows;
}

} // namespace tessaril::shortcut_registry
