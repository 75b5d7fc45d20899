// Shortcut capture, until it is built: the text tools' shortcut buttons are in place and a click
// captures nothing yet.
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

void AppDelegate::beginShortcutCapture(appkit::Control&) {}

} // namespace tessaril
