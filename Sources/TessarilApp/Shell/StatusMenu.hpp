#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include <QImage>

#include "TessarilApp/Shell/Menu.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"

namespace tessaril {

class AppDelegate;

// The status item's look and menu, and the main menu. The menus are built as data from the settings and
// the permission (the static builders), anew on every change, and handed to the status item and the
// application; a chosen item goes back to the delegate's action of its name.
// Thread: main.
class StatusMenu {
public:
    static constexpr std::string_view fallbackTitle = "か";
    static constexpr int iconPointSize = 18;

    explicit StatusMenu(AppDelegate& delegate) : delegate_(delegate) {}

    void configureStatusItem();
    void rebuildMenu();
    void addAccessibilityStatusMenuItem(Menu& menu);
    void configureMainMenu();
    std::optional<QImage> menuBarIconImage() const;
    std::optional<QImage> appIconImage() const;

    // The status menu: the title line, the preset submenu, the settings item, the Accessibility line
    // and quit.
    static Menu statusMenu(const TessarilSettings& settings, bool isAccessibilityTrusted);
    // The built-in presets in their standard order, then, after a separator, the custom presets by
    // name in the order a file listing uses (runs of digits by value; equal names in stored order).
    static void addPresetSelectionItems(Menu& submenu, const TessarilSettings& settings);
    static MenuItem accessibilityStatusMenuItem(bool isAccessibilityTrusted);
    // The application menu with its quit command, and the edit menu for the focused text control.
    static Menu mainMenu();

private:
    // The resource in the main bundle, else in the resource bundle's "Resources".
    std::optional<std::filesystem::path> resourceFile(std::string_view name, std::string_view type) const;
    std::optional<QImage> image(std::string_view name, std::string_view type) const;

    AppDelegate& delegate_;
};

} // namespace tessaril
