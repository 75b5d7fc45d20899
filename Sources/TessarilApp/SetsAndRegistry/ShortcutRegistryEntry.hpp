#pragma once

#include <optional>
#include <string>

#include "TessarilApp/Shell/SettingsTab.hpp"
#include "TessarilCore/Input/Shortcut.hpp"

namespace tessaril {

// One row of the shortcut registry: one shortcut assignment at one place it applies (the default
// settings, an application's own settings or a settings set). Derived from the settings document each
// time it is asked for, never stored. A plain value.
struct ShortcutRegistryEntry {
    // Where the shortcut may be changed: only on a page of the settings window, or directly from the
    // registry by capture.
    class EditMode {
    public:
        static EditMode direct() { return EditMode(std::nullopt); }
        static EditMode originalSettings(SettingsTab tab) { return EditMode(tab); }

        bool isDirect() const { return !tab_; }
        // The page of an `originalSettings` mode; none for `direct`.
        std::optional<SettingsTab> originalSettingsTab() const { return tab_; }

        friend bool operator==(const EditMode&, const EditMode&) = default;

    private:
        explicit EditMode(std::optional<SettingsTab> tab) : tab_(tab) {}
        std::optional<SettingsTab> tab_;
    };

    std::string id;
    // "基本", "括弧・引用", "定型文" or "誤爆防止".
    std::string section;
    std::string item;
    std::optional<Shortcut> shortcut;
    // As shown: "デフォルト", an application's display name, or "セット: " and a set name.
    std::string target;
    // "default", "app:" + bundle identifier, or "set:" + feature + ":" + set identifier.
    std::string scopeID;
    bool isEnabled = false;
    EditMode editMode = EditMode::direct();
    std::optional<std::string> featureSetID;

    friend bool operator==(const ShortcutRegistryEntry&, const ShortcutRegistryEntry&) = default;
};

} // namespace tessaril
