#pragma once

#include <array>
#include <string_view>
#include <utility>

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

} // namespace tessaril
