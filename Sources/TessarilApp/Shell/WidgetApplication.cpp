#include "TessarilApp/Shell/WidgetApplication.hpp"

#include <QTimer>
#include <QWidget>

namespace tessaril {

void WidgetApplication::setActivationPolicy(ActivationPolicy policy) {
    policy_ = policy;
    // A status-area application lives on without windows.
    application_.setQuitOnLastWindowClosed(policy == ActivationPolicy::regular);
}

void WidgetApplication::setMainMenu(Menu menu) {
    mainMenu_ = menu;
    keyEquivalents_ = std::make_unique<MainMenuKeyEquivalents>(std::move(menu), [this] { terminate(); });
    application_.installEventFilter(keyEquivalents_.get());
}

void WidgetApplication::activate(bool) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->windowType() == Qt::Popup) continue;
        window->raise();
        window->activateWindow();
    }
}

bool WidgetApplication::hasVisibleWindows() const {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowType() != Qt::Popup) return true;
    }
    return false;
}

void WidgetApplication::terminate() {
    if (delegate_ && delegate_->applicationShouldTerminate() != TerminateReply::terminateNow) return;
    QCoreApplication::exit(0);
}

void WidgetApplication::exit(int status) { QCoreApplication::exit(status); }

int WidgetApplication::run() {
    QTimer::singleShot(0, &application_, [this] {
        if (delegate_) delegate_->applicationDidFinishLaunching();
    });
    return QApplication::exec();
}

void WidgetApplication::reopen() {
    if (delegate_) delegate_->applicationShouldHandleReopen(hasVisibleWindows());
}

} // namespace tessaril
