// Shortcut capture of the text tools and fixed phrases: bodies in SettingsWindow/ShortcutCapture.
#include "TessarilApp/SettingsWindow/ShortcutCapture.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

void AppDelegate::beginShortcutCapture(appkit::Control& sender) { ShortcutCapture(*this).beginShortcutCapture(sender); }

std::optional<appkit::Event> AppDelegate::handleShortcutCapture(const appkit::Event& event) {
    return ShortcutCapture(*this).handleShortcutCapture(event);
}

void AppDelegate::assignShortcut(const Shortcut& shortcut, const ShortcutCaptureTarget& target) {
    ShortcutCapture(*this).assignShortcut(shortcut, target);
}

} // namespace tessaril
