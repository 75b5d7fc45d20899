#pragma once

#include <string>
#include <vector>

#include <QPoint>

#include "TessarilApp/SetsAndRegistry/FeatureSetQueries.hpp"

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
    // The list of sets shows up to six whole sets and a glimpse of a seventh; longer lists scroll.
    static constexpr int setListMaximumHeight = 424;
    // Room for the list's scroller beside the sets, taken from the pane's right margin.
    static constexpr int setListScrollerWidth = 17;
    static constexpr const char* setListName = "featureSetList";

    explicit FeatureSetSheetContent(AppDelegate& delegate) : delegate_(delegate) {}

    QWidget* makeFeatureSetModalContent(SettingsTab tab);
    QWidget* makeFeatureSetListPane(SettingsTab tab);
    QWidget* makeFeatureSetDetailPane(SettingsTab tab);
    QWidget* makeFeatureSetSettingsPane(SettingsTab tab, const std::string& id);
    QWidget* makeFeatureSetAppsPane(SettingsTab tab, const std::string& id);
    QWidget* makeFeatureSetSummaryTable(SettingsTab tab, const std::string& id);
    QWidget* makeFeatureSetAppTargetRow(const SettingsSetAppTarget& target);

    // How far the list of sets in `content` is scrolled; 0 without a list.
    static int featureSetListOffset(QWidget& content);
    // The list of sets made next starts scrolled to `offset` (where the list it replaces was), then
    // as little further as shows the selected set whole, so a set selected out of view (made,
    // renamed, or opened from the registry) comes into view.
    void keepFeatureSetListOffset(int offset) { keptListOffset_ = offset; }
    // How far a sheet too small for its content is scrolled, sideways and down; none at full size.
    static QPoint featureSetModalOffset(QWidget& content);
    // The content made next, when it scrolls, starts scrolled to `offset`.
    void keepFeatureSetModalOffset(QPoint offset) { keptSheetOffset_ = offset; }

private:
    // The title, its subtitle and "閉じる" at the right.
    QWidget* makeFeatureSetModalHeader(SettingsTab tab);
    // The sets as list buttons in a scroll view of their own.
    QWidget* makeFeatureSetList(SettingsTab tab, const std::vector<FeatureSetListItem>& sets);

    AppDelegate& delegate_;
    int keptListOffset_ = 0;
    QPoint keptSheetOffset_;
};

} // namespace tessaril
