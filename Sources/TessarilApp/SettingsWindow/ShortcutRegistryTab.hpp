#pragma once

#include <vector>

#include "TessarilApp/SetsAndRegistry/ShortcutRegistryConflictStatus.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutRegistryEntry.hpp"

class QWidget;

namespace tessaril {

class AppDelegate;

// The shortcut registry page ("ショートカット台帳"): the filter buttons, the legend of the modifier
// symbols and one table row per registry entry under the current filter, each with its shortcut
// button, enabled and conflict badges and the buttons to change it, open its page and open its set.
// Built from the current settings and capture on every rebuild. Keeps no state; main thread only.
class ShortcutRegistryTab {
public:
    explicit ShortcutRegistryTab(AppDelegate& delegate) : delegate_(delegate) {}

    QWidget* makeShortcutRegistryTab();
    QWidget* makeShortcutRegistryFilterBar();
    QWidget* makeShortcutSymbolLegend();
    // `status` is the row's conflict status against the whole registry, whatever the filter.
    std::vector<QWidget*> makeShortcutRegistryCells(const ShortcutRegistryEntry& entry, ShortcutRegistryConflictStatus status);
    QWidget* makeShortcutRegistryShortcutButton(const ShortcutRegistryEntry& entry);
    QWidget* makeShortcutRegistryConflictButton(const ShortcutRegistryEntry& entry, ShortcutRegistryConflictStatus status);
    QWidget* makeShortcutRegistryActions(const ShortcutRegistryEntry& entry);

private:
    AppDelegate& delegate_;
};

} // namespace tessaril
