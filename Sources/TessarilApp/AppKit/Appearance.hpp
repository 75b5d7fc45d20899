#pragma once

#include <array>
#include <string_view>
#include <utility>

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril::appkit {

// The light and the dark look of what the system draws for a window (menus, scrollers, title bar);
// the window's own colours stay fixed. Raw values are the names the platform spells.
enum class Appearance { aqua, darkAqua };

} // namespace tessaril::appkit

template <> struct tessaril::EnumCases<tessaril::appkit::Appearance> {
    static constexpr std::string_view typeName = "Appearance";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<appkit::Appearance, std::string_view>, 2> cases{{
        {appkit::Appearance::aqua, "NSAppearanceNameAqua"},
        {appkit::Appearance::darkAqua, "NSAppearanceNameDarkAqua"},
    }};
};
