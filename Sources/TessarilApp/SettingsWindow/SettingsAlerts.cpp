#include "TessarilApp/SettingsWindow/SettingsAlerts.hpp"

#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

std::size_t runModal(AppDelegate& delegate, const appkit::Alert& alert) {
    delegate.services().application.activate(true);
    return delegate.services().userInterface.alerts->runModal(alert);
}

} // namespace

void showInvalidInputAlert(AppDelegate& delegate, const std::string& message, const std::string& informative) {
    runModal(delegate, appkit::Alert{appkit::Alert::Style::warning, message, informative, {"OK"}});
}

void showInformationAlert(AppDelegate& delegate, const std::string& message, const std::string& informative) {
    runModal(delegate, appkit::Alert{appkit::Alert::Style::informational, message, informative, {"OK"}});
}

bool confirmInAlert(AppDelegate& delegate, const std::string& message, const std::string& informative,
                    const std::string& confirmTitle, ConfirmationDefault defaultButton) {
    const std::size_t defaultIndex = defaultButton == ConfirmationDefault::cancel ? 1 : 0;
    return runModal(delegate, appkit::Alert{appkit::Alert::Style::warning, message, informative, {confirmTitle, "キャンセル"},
                                            defaultIndex}) == 0;
}

} // namespace tessaril
