// The settings file and reset actions, and the login-item panel, until they are built: the buttons
// are in place and do nothing yet, and the panel is an empty view.
#include "TessarilApp/AppKit/View.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

void AppDelegate::exportSettings() {}

void AppDelegate::importSettings() {}

void AppDelegate::resetAllSettingsToFactoryDefaults() {}

QWidget* AppDelegate::makeLoginItemPanel() { return new appkit::View; }

} // namespace tessaril
