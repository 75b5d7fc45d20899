#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "TessarilApp/SetsAndRegistry/ShortcutRegistryConflictStatus.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutRegistryEntry.hpp"

class QWidget;

namespace tessaril {

class AppDelegate;

// The floating "競合詳細" panel of one registry row: its status, the other enabled rows on the same
// shortcut and what that means. A child of the settings window, at most one at a time; the next
// panel and every window rebuild close it. Keeps no state beyond the delegate's
// `shortcutRegistryConflictPanel`; main thread only.
class ShortcutRegistryConflictPanel {
public:
    explicit ShortcutRegistryConflictPanel(AppDelegate& delegate) : delegate_(delegate) {}

    // 28 per related row above 500, between 560 and 680.
    static int height(std::size_t relatedCount);
    static std::string detailText(const ShortcutRegistryEntry& entry, ShortcutRegistryConflictStatus status,
                                  const std::vector<ShortcutRegistryEntry>& relatedEntries);

    void show(const ShortcutRegistryEntry& entry);
    void close();

private:
    QWidget* makeContent(const ShortcutRegistryEntry& entry, ShortcutRegistryConflictStatus status,
                         const std::vector<ShortcutRegistryEntry>& relatedEntries);
    QWidget* makeDescriptionBox(const ShortcutRegistryEntry& entry, ShortcutRegistryConflictStatus status,
                                const std::vector<ShortcutRegistryEntry>& relatedEntries);

    AppDelegate& delegate_;
};

} // namespace tessaril
