#pragma once

#include <array>
#include <string_view>
#include <utility>

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// The pages of the settings window. The raw values are the case names; they name the sidebar buttons
// and the launch option that picks the first page.
enum class SettingsTab {
    basic,
    keypadHacks,
    shortcutGuard,
    writingAssist,
    fixedPhrases,
    shortcutRegistry,
    presets,
    advanced,
    support,
};

template <> struct EnumCases<SettingsTab> {
    static constexpr std::string_view typeName = "SettingsTab";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<SettingsTab, std::string_view>, 9> cases{{
        {SettingsTab::basic, "basic"},
        {SettingsTab::keypadHacks, "keypadHacks"},
        {SettingsTab::shortcutGuard, "shortcutGuard"},
        {SettingsTab::writingAssist, "writingAssist"},
        {SettingsTab::fixedPhrases, "fixedPhrases"},
        {SettingsTab::shortcutRegistry, "shortcutRegistry"},
        {SettingsTab::presets, "presets"},
        {SettingsTab::advanced, "advanced"},
        {SettingsTab::support, "support"},
    }};
};

namespace settings_tab {

// The tabs of the sidebar, in its order; the presets page has no sidebar button.
inline constexpr std::array<SettingsTab, 8> allCases{
    SettingsTab::basic,         SettingsTab::shortcutGuard,    SettingsTab::keypadHacks, SettingsTab::writingAssist,
    SettingsTab::fixedPhrases,  SettingsTab::shortcutRegistry, SettingsTab::advanced,    SettingsTab::support,
};

} // namespace settings_tab

} // namespace tessaril
