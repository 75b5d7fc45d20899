#include "TessarilApp/SettingsWindow/SettingsWindow.hpp"

#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/SettingsWindowController.hpp"

namespace tessaril {

namespace {

appkit::Window::Configuration configuration() {
    return {QSize(SettingsWindow::contentWidth, SettingsWindow::contentHeight),
            QSize(SettingsWindow::minimumContentWidth, SettingsWindow::minimumContentHeight),
            SettingsWindow::windowTitle,
            false,
            true,
            settings_palette::windowBackground()};
}

} // namespace

SettingsWindow::SettingsWindow(AppDelegate& delegate)
    : appkit::Window(configuration()),
      delegate_(delegate),
      rebuilder_([this] { SettingsWindowController(delegate_).rebuildContent(); }) {
    setDelegate(this);
}

void SettingsWindow::windowWillClose(appkit::Window& window) { SettingsWindowController(delegate_).windowWillClose(window); }

} // namespace tessaril
