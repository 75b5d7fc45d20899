#include "TessarilApp/Shell/WidgetApplication.hpp"

#include <QDialog>
#include <QTimer>
#include <QWidget>

#include "TessarilApp/AppKit/Window.hpp"

namespace tessaril {

namespace {

constexpr const char* applicationWindowProperty = "tessarilApplicationWindow";

} // namespace

WidgetApplication::WidgetApplication(QApplication& application) : application_(application) {
    aboutToQuit_ = QObject::connect(&application_, &QCoreApplication::aboutToQuit, &application_, [this] {
        if (isEnding_ || !delegate_) return;
        isEnding_ = true;
        delegate_->applicationShouldTerminate(TerminationRequest::session);
    });
}

WidgetApplication::~WidgetApplication() { QObject::disconnect(aboutToQuit_); }

void WidgetApplication::setActivationPolicy(ActivationPolicy policy) {
    policy_ = policy;
    // A status-area application lives on without windows.
    application_.setQuitOnLastWindowClosed(policy == ActivationPolicy::regular);
}

void WidgetApplication::setMainMenu(Menu menu) {
    mainMenu_ = menu;
    keyEquivalents_ = std::make_unique<MainMenuKeyEquivalents>(std::move(menu), [this] { terminate(TerminationRequest::user); });
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

void WidgetApplication::terminate(TerminationRequest request) {
    if (isEnding_) return;
    if (!terminationGoesAhead(delegate_, request)) return;
    isEnding_ = true;
    QCoreApplication::exit(0);
}

void WidgetApplication::exit(int status) {
    isEnding_ = true;
    QCoreApplication::exit(status);
}

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
