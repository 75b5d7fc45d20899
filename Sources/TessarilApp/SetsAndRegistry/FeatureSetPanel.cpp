#include "TessarilApp/SetsAndRegistry/FeatureSetPanel.hpp"

#include "TessarilApp/SetsAndRegistry/FeatureSetSheet.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/SettingsTabPresentation.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

appkit::Window::Configuration panelConfiguration(SettingsTab tab) {
    const QSize size(FeatureSetSheet::panelWidth, FeatureSetSheet::panelHeight);
    return {size, size, std::string(SettingsTabPresentation::of(tab).sidebarTitle) + "のセット", true, false,
            settings_palette::windowBackground()};
}

} // namespace

FeatureSetPanel::FeatureSetPanel(AppDelegate& delegate, SettingsTab tab)
    : appkit::Window(panelConfiguration(tab)), delegate_(delegate) {
    setDelegate(this);
}

void FeatureSetPanel::resizeEvent(QResizeEvent* event) {
    appkit::Window::resizeEvent(event);
    const bool isSmaller = width() < FeatureSetSheet::panelWidth || height() < FeatureSetSheet::panelHeight;
    if (isSmaller == isSmallerThanContent_) return;
    isSmallerThanContent_ = isSmaller;
    if (delegate_.featureSetModalWindow == this) FeatureSetSheet(delegate_).rebuildFeatureSetModal();
}

bool FeatureSetPanel::windowShouldClose(appkit::Window& window) {
    if (delegate_.featureSetModalWindow != &window) return true;
    FeatureSetSheet(delegate_).closeFeatureSetModal();
    return false;
}

} // namespace tessaril
