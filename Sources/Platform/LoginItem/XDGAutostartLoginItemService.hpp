#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "Platform/LoginItem/LoginItemService.hpp"
#include "Platform/Process/ProcessInfo.hpp"

namespace tessaril::platform {

// The login item of a freedesktop session: an autostart entry "<name>.desktop" in the user's autostart
// directory that starts the running executable. No entry: not registered; an entry the session was
// told to skip ("Hidden=true", "X-GNOME-Autostart-enabled=false"): switched off there, to be allowed
// there; an entry that cannot be read: unknown; no autostart directory: not found. Only the installed
// executable counts as installed. Keeps no state; main thread.
class XDGAutostartLoginItemService final : public LoginItemService {
public:
    XDGAutostartLoginItemService(std::optional<std::filesystem::path> autostartDirectory,
                                 std::filesystem::path runningExecutable, std::filesystem::path installedExecutable,
                                 std::string entryName);

    // "$XDG_CONFIG_HOME/autostart", or "$HOME/.config/autostart" when that variable is unset, empty or
    // relative; none without a home either.
    static std::optional<std::filesystem::path> autostartDirectory(const ProcessInfo& processInfo);
    // The entry's contents for `executable`; throws LoginItemError for a path an entry cannot hold.
    static std::string desktopEntry(const std::filesystem::path& executable);

    bool isInstalled() const override;
    LoginItemStatus status() const override;
    void registerItem() override;
    void unregisterItem() override;
    // The autostart directory as a file URL; empty without one.
    std::string loginItemsSettingsURL() const override;

    std::optional<std::filesystem::path> entryPath() const;

private:
    std::optional<std::filesystem::path> directory_;
    std::filesystem::path runningExecutable_;
    std::filesystem::path installedExecutable_;
    std::string entryName_;
};

} // namespace tessaril::platform
