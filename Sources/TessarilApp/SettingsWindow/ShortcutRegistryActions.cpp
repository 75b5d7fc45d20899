#include "TessarilApp/SettingsWindow/ShortcutRegistryActions.hpp"

#include <algorithm>
#include <string>

#include "TessarilApp/AppKit/Control.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutRegistryFilter.hpp"
#include "TessarilApp/SettingsWindow/SettingsAlerts.hpp"
#include "TessarilApp/SettingsWindow/SettingsTabPresentation.hpp"
#include "TessarilApp/SettingsWindow/SettingsWindowController.hpp"
#include "TessarilApp/SettingsWindow/ShortcutRegistryConflictPanel.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

std::optional<ShortcutRegistryEntry> entryOf(const AppDelegate& delegate, const appkit::Control& sender) {
    if (sender.identifier().empty()) return std::nullopt;
    const auto entries = delegate.shortcutRegistryEntries();
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const ShortcutRegistryEntry& entry) { return entry.id == sender.identifier(); });
    if (found == entries.end()) return std::nullopt;
    return *found;
}

bool hasSetSheet(SettingsTab tab) {
    return tab == SettingsTab::shortcutGuard || tab == SettingsTab::keypadHacks || tab == SettingsTab::writingAssist ||
           tab == SettingsTab::fixedPhrases;
}

} // namespace

SettingsTab ShortcutRegistryActions::originalSettingsTab(const ShortcutRegistryEntry& entry) {
    if (const auto tab = entry.editMode.originalSettingsTab()) return *tab;
    return entry.section == "定型文" ? SettingsTab::fixedPhrases : SettingsTab::basic;
}

bool ShortcutRegistryActions::canOpenSet(const ShortcutRegistryEntry& entry) {
    return entry.featureSetID.has_value() && hasSetSheet(originalSettingsTab(entry));
}

void ShortcutRegistryActions::selectShortcutRegistryFilter(appkit::Control& sender) {
    const auto filter = enumFromRawValue<ShortcutRegistryFilter>(sender.identifier());
    if (!filter) return;
    delegate_.shortcutRegistryFilter = *filter;
    delegate_.rebuildSettingsWindow();
}

void ShortcutRegistryActions::clickShortcutRegistryShortcut(appkit::Control& sender) {
    const auto entry = entryOf(delegate_, sender);
    if (!entry) return;
    if (entry->editMode.isDirect()) {
        delegate_.beginShortcutCapture(sender);
        return;
    }
    const auto& page = SettingsTabPresentation::of(originalSettingsTab(*entry));
    showInvalidInputAlert(delegate_, "台帳から直接変更できません",
                          "このショートカットは「" + std::string(page.sidebarTitle) + "」の設定、またはセット編集から変更してください。");
}

void ShortcutRegistryActions::openShortcutRegistryConflictDetail(appkit::Control& sender) {
    if (const auto entry = entryOf(delegate_, sender)) ShortcutRegistryConflictPanel(delegate_).show(*entry);
}

void ShortcutRegistryActions::closeShortcutRegistryConflictPanel() { ShortcutRegistryConflictPanel(delegate_).close(); }

bool ShortcutRegistryActions::mayLeaveFor(SettingsTab tab) {
    SettingsWindowController controller(delegate_);
    if (tab == SettingsTab::advanced && !controller.confirmAdvancedAccess()) return false;
    if (tab != SettingsTab::fixedPhrases && delegate_.selectedSettingsTab == SettingsTab::fixedPhrases &&
        !controller.confirmDiscardFixedPhraseEditsIfNeeded()) {
        return false;
    }
    controller.stopShortcutCapture();
    controller.stopWritingAssistShortcutCapture();
    return true;
}

void ShortcutRegistryActions::openShortcutRegistryOriginalSettings(appkit::Control& sender) {
    const auto tab = enumFromRawValue<SettingsTab>(sender.identifier());
    if (!tab || !mayLeaveFor(*tab)) return;
    delegate_.selectedSettingsTab = *tab;
    delegate_.rebuildSettingsWindow();
}

void ShortcutRegistryActions::openShortcutRegistrySet(appkit::Control& sender) {
    const auto entry = entryOf(delegate_, sender);
    // A row without a set has nothing to open, whatever state its button was left in.
    if (!entry || !canOpenSet(*entry)) return;
    const SettingsTab page = originalSettingsTab(*entry);
    if (!mayLeaveFor(page)) return;
    delegate_.selectedSettingsTab = page;
    delegate_.selectedFeatureSetID = entry->featureSetID;
    delegate_.rebuildSettingsWindow();
    delegate_.runOnMainQueue([page](AppDelegate& delegate) { delegate.showFeatureSetModal(page); });
}

} // namespace tessaril
