#include "TessarilApp/SetsAndRegistry/FeatureSetSheet.hpp"

#include <algorithm>

#include "TessarilApp/AppKit/Control.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseEditorState.hpp"
#include "TessarilApp/SetsAndRegistry/ApplicationChooser.hpp"
#include "TessarilApp/SetsAndRegistry/FeatureSetFamily.hpp"
#include "TessarilApp/SetsAndRegistry/FeatureSetOperations.hpp"
#include "TessarilApp/SetsAndRegistry/FeatureSetPanel.hpp"
#include "TessarilApp/SetsAndRegistry/FeatureSetQueries.hpp"
#include "TessarilApp/SetsAndRegistry/FeatureSetSheetContent.hpp"
#include "TessarilApp/SettingsWindow/SettingsAlerts.hpp"
#include "TessarilApp/SettingsWindow/SettingsWindow.hpp"
#include "TessarilApp/SettingsWindow/SettingsWindowController.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

std::optional<std::string> firstSetID(AppDelegate& delegate, SettingsTab tab) {
    const auto sets = FeatureSetQueries(delegate).featureSets(tab);
    return sets.empty() ? std::nullopt : std::optional(sets.front().id);
}

} // namespace

void FeatureSetSheet::showFeatureSetModal(SettingsTab tab) {
    // Typed phrase text is saved before any sheet opens over it: the sheet's operations rebuild and
    // move the page, and none of them can ask about that text.
    if (!FixedPhraseEditorState(delegate_).requireSavedFixedPhraseEdits()) return;
    delegate_.services().application.activate(true);
    delegate_.featureSetModalTab = tab;
    const auto sets = FeatureSetQueries(delegate_).featureSets(tab);
    const auto& kept = delegate_.selectedFeatureSetID;
    if (!kept || std::none_of(sets.begin(), sets.end(), [&kept](const FeatureSetListItem& set) { return set.id == *kept; })) {
        delegate_.selectedFeatureSetID = sets.empty() ? std::nullopt : std::optional(sets.front().id);
    }
    if (auto* previous = qobject_cast<appkit::Window*>(delegate_.featureSetModalWindow.data())) {
        if (auto* parent = previous->sheetParent()) parent->endSheet(*previous);
        delegate_.featureSetModalWindow = nullptr;
        previous->hide();
        previous->deleteLater();
    }
    auto* panel = new FeatureSetPanel(delegate_, tab);
    panel->center();
    // Stored first: the content is made for the panel's size.
    delegate_.featureSetModalWindow = panel;
    panel->setContentView(FeatureSetSheetContent(delegate_).makeFeatureSetModalContent(tab));
    auto* settingsWindow = SettingsWindowController(delegate_).window();
    if (settingsWindow && settingsWindow->isVisible()) {
        settingsWindow->beginSheet(*panel);
    } else {
        panel->makeKeyAndOrderFront();
    }
}

void FeatureSetSheet::closeFeatureSetModal() { closeSheet(true); }

void FeatureSetSheet::closeSheet(bool asksAboutUnsavedPhrases) {
    auto* panel = qobject_cast<appkit::Window*>(delegate_.featureSetModalWindow.data());
    if (!panel) return;
    if (asksAboutUnsavedPhrases && delegate_.featureSetModalTab == SettingsTab::fixedPhrases &&
        !SettingsWindowController(delegate_).confirmDiscardFixedPhraseEditsIfNeeded()) {
        return;
    }
    auto* settingsWindow = SettingsWindowController(delegate_).window();
    if (settingsWindow && panel->sheetParent() == settingsWindow) settingsWindow->endSheet(*panel);
    delegate_.featureSetModalWindow = nullptr;
    delegate_.featureSetModalTab = std::nullopt;
    delegate_.selectedFeatureSetID = std::nullopt;
    delegate_.featureSetNameField = nullptr;
    // Hidden rather than closed: closing would ask the panel's own close handling again.
    panel->hide();
    panel->deleteLater();
    delegate_.rebuildSettingsWindow();
}

void FeatureSetSheet::rebuildFeatureSetModal() {
    auto* panel = qobject_cast<appkit::Window*>(delegate_.featureSetModalWindow.data());
    if (!delegate_.featureSetModalTab || !panel) return;
    FeatureSetSheetContent content(delegate_);
    if (QWidget* shown = panel->contentView()) {
        content.keepFeatureSetListOffset(FeatureSetSheetContent::featureSetListOffset(*shown));
        content.keepFeatureSetModalOffset(FeatureSetSheetContent::featureSetModalOffset(*shown));
    }
    panel->setContentView(content.makeFeatureSetModalContent(*delegate_.featureSetModalTab));
}

bool FeatureSetSheet::hasOpenSheet() const { return delegate_.featureSetModalTab.has_value(); }

bool FeatureSetSheet::hasSelectedSet() const { return hasOpenSheet() && delegate_.selectedFeatureSetID.has_value(); }

void FeatureSetSheet::saveAndRebuild() {
    delegate_.persistSettings(true);
    rebuildFeatureSetModal();
}

void FeatureSetSheet::selectFeatureSetFromModal(appkit::Control& sender) {
    delegate_.selectedFeatureSetID = sender.identifier().empty() ? std::nullopt : std::optional(sender.identifier());
    rebuildFeatureSetModal();
}

void FeatureSetSheet::createFeatureSetFromModal() {
    if (!hasOpenSheet()) return;
    const SettingsTab tab = *delegate_.featureSetModalTab;
    FeatureSetOperations operations(delegate_);
    delegate_.selectedFeatureSetID = operations.createFeatureSet(tab, operations.suggestedFeatureSetName(tab));
    saveAndRebuild();
}

void FeatureSetSheet::saveFeatureSetNameFromModal() {
    if (!hasSelectedSet() || !delegate_.featureSetNameField) return;
    const std::string name = delegate_.featureSetNameField->text().toStdString();
    FeatureSetOperations(delegate_).updateFeatureSetName(*delegate_.featureSetModalTab, *delegate_.selectedFeatureSetID, name);
    saveAndRebuild();
}

void FeatureSetSheet::deleteFeatureSetFromModal() {
    if (!hasSelectedSet()) return;
    const SettingsTab tab = *delegate_.featureSetModalTab;
    FeatureSetOperations(delegate_).deleteFeatureSet(tab, *delegate_.selectedFeatureSetID);
    delegate_.selectedFeatureSetID = firstSetID(delegate_, tab);
    rebuildFeatureSetModal();
}

void FeatureSetSheet::updateFeatureSetValueFromCurrentTargetFromModal() {
    if (!hasSelectedSet()) return;
    FeatureSetOperations(delegate_).updateFeatureSetValueFromCurrentTarget(*delegate_.featureSetModalTab,
                                                                           *delegate_.selectedFeatureSetID);
    saveAndRebuild();
}

void FeatureSetSheet::applyFeatureSetToCurrentTargetFromModal() {
    if (!hasSelectedSet()) return;
    const SettingsTab tab = *delegate_.featureSetModalTab;
    const std::string id = *delegate_.selectedFeatureSetID;
    FeatureSetOperations operations(delegate_);
    // An application joins the set; the default target takes the set's value.
    if (const auto target = FeatureSetQueries(delegate_).selectedFeatureSetTarget(tab)) {
        operations.addFeatureSetAppTarget(tab, id, SettingsSetAppTarget(target->bundleIdentifier, target->displayName));
        delegate_.persistSettings(true);
    } else {
        operations.applyFeatureSet(tab, id);
    }
    rebuildFeatureSetModal();
}

void FeatureSetSheet::editFeatureSetInMainSettingsFromModal() {
    if (!hasSelectedSet()) return;
    const SettingsTab tab = *delegate_.featureSetModalTab;
    const auto targets = FeatureSetQueries(delegate_).featureSetAppTargets(tab, *delegate_.selectedFeatureSetID);
    if (targets.empty()) {
        showInvalidInputAlert(delegate_, "対象アプリがありません",
                              "通常画面でセットを編集するには、先にこのセットへ対象アプリを追加してください。");
        return;
    }
    SettingsWindowController window(delegate_);
    const std::string& first = targets.front().bundleIdentifier;
    if (tab == SettingsTab::fixedPhrases) {
        // Asked before the selection moves: declining must leave the phrase page on the target whose
        // edits it holds.
        if (!window.confirmDiscardFixedPhraseEditsIfNeeded()) return;
        delegate_.selectedFixedPhraseAppBundleIdentifier = first;
    } else {
        withFeatureSetFamily(tab, [&](auto family) { delegate_.*decltype(family)::type::selection = first; });
        if (delegate_.selectedSettingsTab == SettingsTab::fixedPhrases && !window.confirmDiscardFixedPhraseEditsIfNeeded()) return;
    }
    delegate_.selectedSettingsTab = tab;
    // The phrase question, if any, was answered above.
    closeSheet(false);
}

void FeatureSetSheet::addFrontmostApplicationToFeatureSetFromModal() {
    const auto& frontmost = delegate_.frontmostApplication;
    if (!hasSelectedSet() || !frontmost) return;
    FeatureSetOperations(delegate_).addFeatureSetAppTarget(*delegate_.featureSetModalTab, *delegate_.selectedFeatureSetID,
                                                           SettingsSetAppTarget(frontmost->bundleIdentifier, frontmost->displayName));
    saveAndRebuild();
}

void FeatureSetSheet::addApplicationToFeatureSetFromModal() {
    if (!hasSelectedSet()) return;
    const auto chosen = chooseApplicationTarget(delegate_);
    if (!chosen) return;
    FeatureSetOperations(delegate_).addFeatureSetAppTarget(*delegate_.featureSetModalTab, *delegate_.selectedFeatureSetID,
                                                           SettingsSetAppTarget(chosen->bundleIdentifier, chosen->name));
    saveAndRebuild();
}

void FeatureSetSheet::removeApplicationFromFeatureSetFromModal(appkit::Control& sender) {
    if (!hasSelectedSet() || sender.identifier().empty()) return;
    FeatureSetOperations(delegate_).removeFeatureSetAppTarget(*delegate_.featureSetModalTab, *delegate_.selectedFeatureSetID,
                                                              sender.identifier());
    saveAndRebuild();
}

void FeatureSetSheet::closeFeatureSetModalFromButton() { closeFeatureSetModal(); }

} // namespace tessaril
