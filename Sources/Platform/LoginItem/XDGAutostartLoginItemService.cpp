#include "Platform/LoginItem/XDGAutostartLoginItemService.hpp"

#include <fstream>
#include <sstream>
#include <system_error>
#include <utility>

#include "Platform/Foundation/AtomicFile.hpp"
#include "Platform/Foundation/FileWriteError.hpp"
#include "Platform/Foundation/SystemErrorText.hpp"
#include "Platform/LoginItem/LoginItemError.hpp"
#include "Platform/Workspace/DesktopEntryKeys.hpp"

namespace tessaril::platform {

namespace {

constexpr const char* entryGroup = "[Desktop Entry]";

// One argument of an Exec line: quoted, with the characters the quoting reserves escaped, then written
// as a string value (backslashes doubled) in which "%" starts a field code and must be doubled.
std::string execArgument(const std::string& argument) {
    std::string quoted = "\"";
    for (const char character : argument) {
        if (character == '"' || character == '`' || character == '$' || character == '\\') quoted += '\\';
        quoted += character;
    }
    quoted += '"';
    std::string value;
    for (const char character : quoted) {
        if (character == '\\') {
            value += "\\\\";
        } else if (character == '%') {
            value += "%%";
        } else {
            value += character;
        }
    }
    return value;
}

// Whether the entry's own group tells the session to skip it.
bool isSwitchedOff(std::istream& entry) {
    bool switchedOff = false;
    visitDesktopEntryKeys(entry, [&switchedOff](std::string_view key, std::string_view value) {
        switchedOff = (key == "Hidden" && value == "true") || (key == "X-GNOME-Autostart-enabled" && value == "false");
        return !switchedOff;
    });
    return switchedOff;
}

std::string fileURL(const std::filesystem::path& path) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const unsigned char character : path.string()) {
        const bool plain = (character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z') ||
                           (character >= '0' && character <= '9') || character == '/' || character == '-' ||
                           character == '.' || character == '_' || character == '~';
        if (plain) {
            url += static_cast<char>(character);
        } else {
            url += '%';
            url += hex[character >> 4];
            url += hex[character & 0x0F];
        }
    }
    return url;
}

} // namespace

XDGAutostartLoginItemService::XDGAutostartLoginItemService(std::optional<std::filesystem::path> autostartDirectory,
                                                           std::filesystem::path runningExecutable,
                                                           std::filesystem::path installedExecutable,
                                                           std::string entryName)
    : directory_(std::move(autostartDirectory)),
      runningExecutable_(std::move(runningExecutable)),
      installedExecutable_(std::move(installedExecutable)),
      entryName_(std::move(entryName)) {}

std::optional<std::filesystem::path> XDGAutostartLoginItemService::autostartDirectory(const ProcessInfo& processInfo) {
    const auto& environment = processInfo.environment;
    if (const auto found = environment.find("XDG_CONFIG_HOME"); found != environment.end()) {
        const std::filesystem::path configHome(found->second);
        if (configHome.is_absolute()) return configHome / "autostart";
    }
    if (const auto home = environment.find("HOME"); home != environment.end() && !home->second.empty()) {
        return std::filesystem::path(home->second) / ".config" / "autostart";
    }
    return std::nullopt;
}

std::string XDGAutostartLoginItemService::desktopEntry(const std::filesystem::path& executable) {
    const std::string path = executable.string();
    for (const unsigned char character : path) {
        // An entry is line based and has no way to write the other control characters.
        if (character < 0x20 || character == 0x7F) {
            throw LoginItemError("cannot start " + path + " at login: its path holds a control character");
        }
    }
    return std::string(entryGroup) + "\nType=Application\nName=Tessaril\nExec=" + execArgument(path) +
           "\nIcon=tessaril\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
}

std::optional<std::filesystem::path> XDGAutostartLoginItemService::entryPath() const {
    if (!directory_) return std::nullopt;
    return *directory_ / (entryName_ + ".desktop");
}

bool XDGAutostartLoginItemService::isInstalled() const {
    if (installedExecutable_.empty() || runningExecutable_.empty()) return false;
    std::error_code runningError;
    std::error_code installedError;
    const auto running = std::filesystem::canonical(runningExecutable_, runningError);
    const auto installed = std::filesystem::canonical(installedExecutable_, installedError);
    return !runningError && !installedError && running == installed;
}

LoginItemStatus XDGAutostartLoginItemService::status() const {
    const auto path = entryPath();
    if (!path) return LoginItemStatus::notFound;
    std::error_code error;
    const auto state = std::filesystem::status(*path, error);
    if (state.type() == std::filesystem::file_type::not_found) return LoginItemStatus::notRegistered;
    if (error || state.type() != std::filesystem::file_type::regular) return LoginItemStatus::unknown;
    std::ifstream entry(*path);
    if (!entry) return LoginItemStatus::unknown;
    const bool switchedOff = isSwitchedOff(entry);
    if (entry.bad()) return LoginItemStatus::unknown;
    return switchedOff ? LoginItemStatus::requiresApproval : LoginItemStatus::enabled;
}

void XDGAutostartLoginItemService::registerItem() {
    const auto path = entryPath();
    if (!path) throw LoginItemError("cannot register a login item: neither XDG_CONFIG_HOME nor HOME names a place for it");
    const std::string contents = desktopEntry(runningExecutable_);
    std::error_code error;
    std::filesystem::create_directories(path->parent_path(), error);
    if (error) throw LoginItemError("cannot create " + path->parent_path().string() + ": " + systemErrorText(error.value()));
    try {
        AtomicFile::write(*path, contents, 0644, AtomicFile::DirectorySync::bestEffort);
    } catch (const FileWriteError& failure) {
        throw LoginItemError(failure.description());
    }
}

void XDGAutostartLoginItemService::unregisterItem() {
    const auto path = entryPath();
    if (!path) return;
    std::error_code error;
    std::filesystem::remove(*path, error);
    if (error) throw LoginItemError("cannot remove " + path->string() + ": " + systemErrorText(error.value()));
}

std::string XDGAutostartLoginItemService::loginItemsSettingsURL() const { return directory_ ? fileURL(*directory_) : std::string(); }

} // namespace tessaril::platform
