#include "TessarilApp/SetsAndRegistry/ApplicationChooser.hpp"

#include <sstream>
#include <string_view>

#include "Platform/Foundation/FileReadError.hpp"
#include "Platform/Foundation/RegularFile.hpp"
#include "Platform/Workspace/DesktopEntryKeys.hpp"
#include "TessarilApp/SettingsWindow/SettingsAlerts.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

constexpr const char* allowedInput = "アプリのデスクトップエントリ（「[Desktop Entry]」を含む .desktop ファイル）を選んでください。";

} // namespace

std::optional<appkit::ChosenApplication> readDesktopEntry(const std::filesystem::path& file) {
    std::istringstream stream(platform::RegularFile::read(file, maximumDesktopEntryBytes));
    std::optional<std::string> name;
    const bool hasEntryGroup = platform::visitDesktopEntryKeys(stream, [&name](std::string_view key, std::string_view value) {
        if (key == "Name" && !value.empty()) name = std::string(value);
        return !name;
    });
    if (!hasEntryGroup) return std::nullopt;
    std::string stem = file.stem().string();
    if (stem.empty()) return std::nullopt;
    return appkit::ChosenApplication{stem, name.value_or(stem)};
}

std::optional<appkit::ChosenApplication> chooseApplicationTarget(AppDelegate& delegate) {
    delegate.services().application.activate(true);
    const appkit::FilePanel panel{appkit::FilePanel::ContentType::application, "アプリを追加", "", ""};
    const auto answer = delegate.services().userInterface.filePanels->runOpenPanel(panel);
    if (!answer) return std::nullopt;
    if (answer->application) return answer->application;
    std::string refusal = allowedInput;
    try {
        if (auto chosen = readDesktopEntry(answer->url)) return chosen;
    } catch (const platform::FileReadError& error) {
        // The system's reason is worth showing; a pipe or an oversized file is simply no entry.
        if (error.reason() == platform::FileReadError::Reason::system) refusal = error.description() + "\n" + refusal;
    }
    showInvalidInputAlert(delegate, "追加できません", refusal);
    return std::nullopt;
}

} // namespace tessaril
