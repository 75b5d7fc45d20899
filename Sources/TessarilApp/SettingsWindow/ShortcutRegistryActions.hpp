#pragma once

#include "TessarilApp/SetsAndRegistry/ShortcutRegistryEntry.hpp"

namespace tessaril {

namespace appkit {
class Control;
}

class AppDelegate;

// What the registry page's buttons do: pick a filter, re-capture a row's shortcut (or say where it
// must be changed), show a row's conflicts, and jump to the page or the settings set a row comes
// from. Senders carry a row identifier, a filter or a tab raw value; one that names nothing any more
// does nothing. Nothing here saves the settings. Keeps no state; main thread only.
class ShortcutRegistryActions {
public:
    explicit ShortcutRegistryActions(AppDelegate& delegate) : delegate_(delegate) {}

    // The page where a row's shortcut is really set.
    static SettingsTab originalSettingsTab(const ShortcutRegistryEntry& entry);
    // Whether the row comes from a settings set whose page has a set sheet.
    static bool canOpenSet(const ShortcutRegistryEntry& entry);

    void selectShortcutRegistryFilter(appkit::Control& sender);
    void clickShortcutRegistryShortcut(appkit::Control& sender);
    void openShortcutRegistryConflictDetail(appkit::Control& sender);
    void closeShortcutRegistryConflictPanel();
    void openShortcutRegistryOriginalSettings(appkit::Control& sender);
    void openShortcutRegistrySet(appkit::Control& sender);

private:
    // The advanced confirmation and the unsaved-phrase question for leaving towards `tab`; true to go.
    bool mayLeaveFor(SettingsTab tab);

    AppDelegate& delegate_;
};

} // namespace tessaril
