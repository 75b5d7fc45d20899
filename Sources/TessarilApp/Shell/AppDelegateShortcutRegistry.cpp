// The shortcut registry's queries of the delegate: bodies in SetsAndRegistry/ShortcutRegistry*.
#include "TessarilApp/SetsAndRegistry/ShortcutRegistry.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

std::vector<ShortcutRegistryEntry> AppDelegate::shortcutRegistryEntries() const {
    return shortcut_registry::entries(settings);
}

ShortcutRegistryConflictStatus AppDelegate::shortcutRegistryConflictStatus(const ShortcutRegistryEntry& entry,
                                                                           const std::vector<ShortcutRegistryEntry>& entries) const {
    return shortcut_registry::conflictStatus(entry, entries);
}

std::vector<ShortcutRegistryEntry> AppDelegate::filteredShortcutRegistryEntries() const {
    return shortcut_registry::filteredEntries(shortcutRegistryEntries(), shortcutRegistryFilter);
}

std::string AppDelegate::shortcutRegistryID(const ShortcutCaptureTarget& target) const {
    return shortcut_registry::registryID(target, settings, selectedFixedPhraseAppBundleIdentifier);
}

} // namespace tessaril
