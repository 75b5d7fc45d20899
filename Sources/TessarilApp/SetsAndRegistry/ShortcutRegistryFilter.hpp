#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

#include "TessarilApp/SetsAndRegistry/ShortcutRegistryConflictStatus.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutRegistryEntry.hpp"
#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// Which rows the shortcut registry shows; the order is that of the registry's filter buttons.
enum class ShortcutRegistryFilter { activeOnly, registered, conflicts, sets };

template <> struct EnumCases<ShortcutRegistryFilter> {
    static constexpr std::string_view typeName = "ShortcutRegistryFilter";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<ShortcutRegistryFilter, std::string_view>, 4> cases{{
        {ShortcutRegistryFilter::activeOnly, "activeOnly"},
        {ShortcutRegistryFilter::registered, "registered"},
        {ShortcutRegistryFilter::conflicts, "conflicts"},
        {ShortcutRegistryFilter::sets, "sets"},
    }};
};

namespace shortcut_registry {

// The title of the filter's button: "有効のみ", "登録済み", "競合" or "セット別".
std::string_view filterTitle(ShortcutRegistryFilter filter);

// The positions in `entries` of the rows the filter shows, in the order shown; `statuses` are those of
// `conflictStatuses(entries)`.
std::vector<std::size_t> filteredIndices(const std::vector<ShortcutRegistryEntry>& entries,
                                         const std::vector<ShortcutRegistryConflictStatus>& statuses,
                                         ShortcutRegistryFilter filter);

// The rows of the whole registry `entries` that the filter shows: enabled rows with a shortcut, rows
// with a shortcut, rows that overlap with another (judged against all of `entries`) — each in registry
// order — or every row ordered by target, then section.
std::vector<ShortcutRegistryEntry> filteredEntries(const std::vector<ShortcutRegistryEntry>& entries,
                                                   ShortcutRegistryFilter filter);

} // namespace shortcut_registry

} // namespace tessaril
