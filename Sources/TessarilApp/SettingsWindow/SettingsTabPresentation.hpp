#pragma once

#include <optional>
#include <string_view>

#include "TessarilApp/Shell/SettingsTab.hpp"

namespace tessaril {

// How each tab presents itself: its sidebar title, the symbol of its sidebar icon and the glyph shown
// where the symbol cannot be made, and for the composed per-application pages their page title and
// subtitle.
struct SettingsTabPresentation {
    std::string_view sidebarTitle;
    std::string_view symbolName;
    std::string_view fallbackGlyph;
    // Only the pages the window composes itself (target bar and rules pane) have these here.
    std::optional<std::string_view> pageTitle;
    std::optional<std::string_view> pageSubtitle;

    static const SettingsTabPresentation& of(SettingsTab tab);
};

} // namespace tessaril
