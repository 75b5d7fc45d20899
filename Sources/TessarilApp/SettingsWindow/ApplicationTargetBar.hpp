#pragma once

#include <map>
#include <optional>
#include <string>

#include "TessarilApp/AppKit/Action.hpp"
#include "TessarilApp/Shell/FrontmostApplication.hpp"

class QWidget;

namespace tessaril {

// What a feature page puts into its application target bar.
struct ApplicationTargetBarModel {
    std::optional<std::string> selectedBundleIdentifier;
    // Bundle identifier → display name of every application with an entry.
    std::map<std::string, std::string> appDisplayNames;
    // The selected application's flag; none for the default or an application without entry.
    std::optional<bool> usesDefault;
    appkit::Action popupAction;
    appkit::Action defaultToggleAction;
    appkit::Action addAction;
    appkit::Action addFrontmostAction;
    // The settings-set sheet; without it the button does nothing.
    std::optional<appkit::Action> setAction;
    appkit::Action deleteAction;
    std::string complianceTitle;
    bool canDeleteSelected = false;
    std::string defaultTitle = "デフォルト";
    std::optional<FrontmostApplication> frontmostApplication;
};

// The bar above a feature page's rules: "対象", the target pop-up (the default, then the applications
// by display name), the badge "基準" or the compliance switch, and the buttons "追加",
// "使用中を追加" (only with an application in use), "セット編集" and "削除". Main thread only.
QWidget* makeApplicationTargetBar(const ApplicationTargetBarModel& model);

} // namespace tessaril
