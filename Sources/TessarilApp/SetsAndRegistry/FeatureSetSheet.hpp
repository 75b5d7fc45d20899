#pragma once

#include "TessarilApp/Shell/SettingsTab.hpp"

namespace tessaril {

namespace appkit {
class Control;
} // namespace appkit

class AppDelegate;

// The set sheet of one feature on the settings window: opening, rebuilding and closing it, and the
// actions of its buttons. The sheet's state is the delegate's (`featureSetModalTab`,
// `selectedFeatureSetID`, `featureSetModalWindow`, `featureSetNameField`); every action that changes
// the sets saves and then rebuilds the sheet's content from scratch. Except for selecting a set and
// closing, an action does nothing without an open sheet or, where it acts on one, a selected set.
// Keeps no state; main thread only.
class FeatureSetSheet {
public:
    static constexpr int panelWidth = 1080;
    // 660 would cut the foot of the detail pane: our font's taller header and the pane's 486-high tab
    // view with their gaps and insets need 686.
    static constexpr int panelHeight = 686;

    explicit FeatureSetSheet(AppDelegate& delegate) : delegate_(delegate) {}

    // Opens the sheet for the tab, replacing one already open; keeps the selected set when it belongs
    // to the tab, else selects the first set by name. Refused with "保存してください" while the
    // phrase page holds unsaved edits.
    void showFeatureSetModal(SettingsTab tab);
    // The fixed-phrase sheet asks about unsaved phrase edits first and stays open on "no".
    void closeFeatureSetModal();
    // Replaces the open sheet's content; nothing without one.
    void rebuildFeatureSetModal();

    void selectFeatureSetFromModal(appkit::Control& sender);
    void createFeatureSetFromModal();
    void saveFeatureSetNameFromModal();
    void deleteFeatureSetFromModal();
    void updateFeatureSetValueFromCurrentTargetFromModal();
    void applyFeatureSetToCurrentTargetFromModal();
    // Closes the sheet onto the feature's page with the set's first application selected; a set
    // without applications gets an alert instead.
    void editFeatureSetInMainSettingsFromModal();
    void addFrontmostApplicationToFeatureSetFromModal();
    void addApplicationToFeatureSetFromModal();
    void removeApplicationFromFeatureSetFromModal(appkit::Control& sender);
    void closeFeatureSetModalFromButton();

private:
    // Whether an action has an open sheet, and a selected set of it, to work on.
    bool hasOpenSheet() const;
    bool hasSelectedSet() const;
    void closeSheet(bool asksAboutUnsavedPhrases);
    void saveAndRebuild();

    AppDelegate& delegate_;
};

} // namespace tessaril
