#include "TessarilApp/SetsAndRegistry/ApplicationChooser.hpp"

#include <fstream>
#include <string_view>

#include "Platform/Workspace/DesktopEntryKeys.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

std::optional<appkit::ChosenApplication> readDesktopEntry(const std::filesystem::path& file) {
    std::ifstream stream(file);
    if (!stream) return std::nullopt;
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
    return readDesktopEntry(answer->url);
}

} // namespace tessaril
