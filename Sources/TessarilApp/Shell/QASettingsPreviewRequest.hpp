#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "Platform/Process/ProcessInfo.hpp"

namespace tessaril {

// A request to render the settings pages to PNG files instead of running: where to write them and in
// which appearance. Made once at start from the process's switches.
struct QASettingsPreviewRequest {
    static constexpr std::string_view exportDirectoryVariable = "TESSARIL_QA_SETTINGS_EXPORT_DIR";
    static constexpr std::string_view exportDirectoryOption = "--tessaril-qa-export-settings=";
    static constexpr std::string_view appearanceVariable = "TESSARIL_QA_SETTINGS_APPEARANCE";
    // A developer's own settings file (an export) to picture in place of the factory defaults, so the
    // pages can be seen filled in.
    static constexpr std::string_view settingsDocumentVariable = "TESSARIL_QA_SETTINGS_DOCUMENT";
    // The appearance names as the platform spells them: light and dark.
    static constexpr std::string_view lightAppearanceName = "NSAppearanceNameAqua";
    static constexpr std::string_view darkAppearanceName = "NSAppearanceNameDarkAqua";

    // Absolute and without "." or ".." parts or a trailing separator.
    std::filesystem::path outputDirectory;
    std::string appearanceName;
    // Absolute; none for the factory defaults.
    std::optional<std::filesystem::path> settingsDocument = std::nullopt;

    // The environment's directory wins over the option (the first argument that starts with it); an
    // empty directory is no request. Relative directories are taken against `currentDirectory`. The
    // appearance is light only when the variable says "light" in any case. An empty document variable
    // is none.
    static std::optional<QASettingsPreviewRequest> current(const platform::ProcessInfo& processInfo,
                                                           const std::filesystem::path& currentDirectory);

    friend bool operator==(const QASettingsPreviewRequest&, const QASettingsPreviewRequest&) = default;
};

} // namespace tessaril
