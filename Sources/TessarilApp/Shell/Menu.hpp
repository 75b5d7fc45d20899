#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessaril {

struct Menu;

// One entry of a `Menu`: a separator, or an item with its title, the name of its action as a selector
// ("openSettingsWindow", "selectBuiltInPreset:"), its key equivalent ("q"; an upper-case letter adds
// Shift), its target, check state, enabled flag, represented object, tooltip and submenu. A value:
// items compare by what they hold, submenus included.
struct MenuItem {
    enum class Kind { item, separator };
    // Who receives the action: nobody, the application delegate, or the focused control.
    enum class Target { none, delegate, firstResponder };

    Kind kind = Kind::item;
    std::string title{};
    std::optional<std::string> action{};
    std::string keyEquivalent{};
    Target target = Target::none;
    bool isOn = false;
    bool isEnabled = true;
    std::optional<std::string> representedObject{};
    std::optional<std::string> toolTip{};
    // Shared, never changed once made.
    std::shared_ptr<const Menu> submenu{};

    static MenuItem separator() { return MenuItem{.kind = Kind::separator}; }
    bool isSeparator() const { return kind == Kind::separator; }

    friend bool operator==(const MenuItem& left, const MenuItem& right);
};

// A menu as data: built anew whenever what it shows may have changed, then rendered by the status item
// (or installed as the main menu). Free of any toolkit, so the menus can be compared in tests.
struct Menu {
    std::string title{};
    // Whether items are enabled by their targets' answers rather than by their own flag.
    bool autoenablesItems = true;
    std::vector<MenuItem> items{};

    friend bool operator==(const Menu&, const Menu&) = default;
};

inline bool operator==(const MenuItem& left, const MenuItem& right) {
    auto sameSubmenu = left.submenu == right.submenu ||
                       (left.submenu && right.submenu && *left.submenu == *right.submenu);
    return sameSubmenu && left.kind == right.kind && left.title == right.title && left.action == right.action &&
           left.keyEquivalent == right.keyEquivalent && left.target == right.target && left.isOn == right.isOn &&
           left.isEnabled == right.isEnabled && left.representedObject == right.representedObject &&
           left.toolTip == right.toolTip;
}

} // namespace tessaril
