#include "TessarilApp/SetsAndRegistry/ApplicationChooser.hpp"

#include <fstream>
#include <string_view>

#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

} // namespace

std::optional<appkit::ChosenApplication> readDesktopEntry(const std::filesystem::path& file) {
    std::ifstream stream(file);
    if (!stream) return std::nullopt;
    bool inEntry = false;
    bool sawEntry = false;
    std::optional<std::string> name;
    std::string line;
    while (std::getline(stream, line)) {
        const std::string_view text = trimmed(line);
        if (text.empty() || text.front() == '#') continue;
        if (text.front() == '[') {
            inEntry = text == "[Desktop Entry]";
            sawEntry = sawEntry || inEntry;
            continue;
        }
        if (!inEntry || name) continue;
        const auto equals = text.find('=');
        if (equals == std::string_view::npos || trimmed(text.substr(0, equals)) != "Name") continue;
        const std::string_view value = trimmed(text.substr(equals + 1));
        if (!value.empty()) name = std::string(value);
    }
    if (!sawEntry) return std::nullopt;
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
