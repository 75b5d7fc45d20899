#include "TessarilApp/Shell/WidgetApplication.hpp"

#include <QDialog>
#include <QTimer>
#include <QWidget>

#include "TessarilApp/AppKit/Window.hpp"

namespace tessaril {

namespace {

constexpr const char* applicationWindowProperty = "tessarilApplicationWindow";

} // namespace

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
        if (!window->isVisible() || !isApplicationWindow(*window)) continue;
        window->raise();
        window->activateWindow();
    }
}

bool WidgetApplication::hasVisibleWindows() const {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && isApplicationWindow(*window)) return true;
    }
    return false;
}

bool WidgetApplication::isApplicationWindow(const QWidget& window) {
    return qobject_cast<const appkit::Window*>(&window) != nullptr || qobject_cast<const QDialog*>(&window) != nullptr ||
           window.property(applicationWindowProperty).toBool();
}

void WidgetApplication::markAsApplicationWindow(QWidget& window) { window.setProperty(applicationWindowProperty, true); }

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
