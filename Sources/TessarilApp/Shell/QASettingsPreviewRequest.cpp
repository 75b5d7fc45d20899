#include "TessarilApp/Shell/QASettingsPreviewRequest.hpp"

#include "TessarilApp/Shell/DeveloperSwitches.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {

namespace {

std::filesystem::path standardized(const std::filesystem::path& directory, const std::filesystem::path& currentDirectory) {
    auto absolute = directory.is_absolute() ? directory : currentDirectory / directory;
    auto normal = absolute.lexically_normal();
    // "dir/" and "dir" are one directory.
    if (!normal.has_filename() && normal.has_relative_path()) normal = normal.parent_path();
    return normal;
}

} // namespace

std::optional<QASettingsPreviewRequest> QASettingsPreviewRequest::current(const platform::ProcessInfo& processInfo,
                                                                          const std::filesystem::path& currentDirectory) {
    auto directory = processInfo.environmentValue(exportDirectoryVariable);
    if (!directory) directory = DeveloperSwitches::firstOptionValue(processInfo, exportDirectoryOption);
    if (!directory || directory->empty()) return std::nullopt;
    auto appearance = processInfo.environmentValue(appearanceVariable);
    bool isLight = appearance && unicode::lowercased(*appearance) == "light";
    QASettingsPreviewRequest request{standardized(*directory, currentDirectory),
                                     std::string(isLight ? lightAppearanceName : darkAppearanceName)};
    if (auto document = processInfo.environmentValue(settingsDocumentVariable); document && !document->empty()) {
        request.settingsDocument = standardized(*document, currentDirectory);
    }
    return request;
}

} // namespace tessaril
