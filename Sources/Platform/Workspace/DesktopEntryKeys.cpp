#include "Platform/Workspace/DesktopEntryKeys.hpp"

#include <string>

namespace tessaril::platform {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

} // namespace

bool visitDesktopEntryKeys(std::istream& entry,
                           const std::function<bool(std::string_view key, std::string_view value)>& visit) {
    bool inEntryGroup = false;
    bool sawEntryGroup = false;
    std::string line;
    while (std::getline(entry, line)) {
        const std::string_view text = trimmed(line);
        if (text.empty() || text.front() == '#') continue;
        if (text.front() == '[') {
            inEntryGroup = text == "[Desktop Entry]";
            sawEntryGroup = sawEntryGroup || inEntryGroup;
            continue;
        }
        if (!inEntryGroup) continue;
        const auto equals = text.find('=');
        if (equals == std::string_view::npos) continue;
        if (!visit(trimmed(text.substr(0, equals)), trimmed(text.substr(equals + 1)))) break;
    }
    return sawEntryGroup;
}

} // namespace tessaril::platform
