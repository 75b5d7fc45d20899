#pragma once

#include <string>

#include "TessarilApp/Shell/SettingsTab.hpp"
#include "TessarilCore/Settings/SettingsSetAppTarget.hpp"

class QWidget;

namespace tessaril {

class AppDelegate;

// The views of the set sheet, built from the delegate's settings, its open sheet's tab and selected
// set: the header, the list of sets and the detail pane with its "設定" and "対象アプリ" tabs. Each
// call returns a new view; the detail pane's name field is remembered on the delegate. Main thread
// only.
class FeatureSetSheetContent {
public:
    static constexpr int listWidth = 214;
    static constexpr int targetListWidth = 678;
    static constexpr int targetRowHeight = 44;
    static constexpr int targetListMinimumHeight = 330;

    explicit FeatureSetSheetContent(AppDelegate& delegate) : delegate_(delegate) {}

    QWidget* makeFeatureSetModalContent(SettingsTab tab);
    QWidget* makeFeatureSetListPane(SettingsTab tab);
    QWidget* makeFeatureSetDetailPane(SettingsTab tab);
    QWidget* makeFeatureSetSettingsPane(SettingsTab tab, const std::string& id);
    QWidget* makeFeatureSetAppsPane(SettingsTab tab, const std::string& id);
    QWidget* makeFeatureSetSummaryTable(SettingsTab tab, const std::string& id);
    QWidget* makeFeatureSetAppTargetRow(const SettingsSetAppTarget& target);

private:
    AppDelegate& delegate_;
};

} // namespace tessaril
