#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Platform/Process/ProcessInfo.hpp"
#include "TessarilApp/Shell/SettingsTab.hpp"

namespace tessaril {

// The switches a developer starts the application with, each an environment variable or an argument.
// Read once at start; changing the environment later changes nothing.
struct DeveloperSwitches {
    static constexpr std::string_view disableInputBackendVariable = "TESSARIL_DISABLE_INPUT_BACKEND";
    static constexpr std::string_view disableInputBackendArgument = "--tessaril-disable-input-backend";
    static constexpr std::string_view openSettingsOnLaunchVariable = "TESSARIL_OPEN_SETTINGS_ON_LAUNCH";
    static constexpr std::string_view openSettingsOnLaunchArgument = "--tessaril-open-settings-on-launch";
    static constexpr std::string_view settingsTabVariable = "TESSARIL_SETTINGS_TAB";
    static constexpr std::string_view settingsTabOption = "--tessaril-settings-tab=";

    // On when the variable is exactly "1", else when an argument is exactly `argument`. Any other value
    // of the variable leaves the decision to the arguments.
    static bool isOn(const platform::ProcessInfo& processInfo, std::string_view variable, std::string_view argument);

    // The rest of the first argument that starts with `option`; none when no argument does.
    static std::optional<std::string> firstOptionValue(const platform::ProcessInfo& processInfo, std::string_view option);

    // The tab the settings window opens on: the variable's when it is set (a value that names no tab
    // then picks none, whatever the option says), else the option's when it names a tab.
    static std::optional<SettingsTab> launchSettingsTab(const platform::ProcessInfo& processInfo);
};

} // namespace tessaril
