#include "TessarilApp/Shell/DeveloperSwitches.hpp"

#include <algorithm>

namespace tessaril {

bool DeveloperSwitches::isOn(const platform::ProcessInfo& processInfo, std::string_view variable,
                             std::string_view argument) {
    if (processInfo.environmentValue(variable) == "1") return true;
    return std::ranges::find(processInfo.arguments, argument) != processInfo.arguments.end();
}

std::optional<std::string> DeveloperSwitches::firstOptionValue(const platform::ProcessInfo& processInfo,
                                                               std::string_view option) {
    for (const auto& argument : processInfo.arguments) {
        if (argument.starts_with(option)) return argument.substr(option.size());
    }
    return std::nullopt;
}

std::optional<SettingsTab> DeveloperSwitches::launchSettingsTab(const platform::ProcessInfo& processInfo) {
    if (auto variable = processInfo.environmentValue(settingsTabVariable)) return enumFromRawValue<SettingsTab>(*variable);
    auto option = firstOptionValue(processInfo, settingsTabOption);
    return option ? enumFromRawValue<SettingsTab>(*option) : std::nullopt;
}

} // namespace tessaril
