#include "TessarilApp/Shell/LocalEventMonitor.hpp"

#include <QCoreApplication>
#include <QEvent>

namespace tessaril {

LocalEventMonitor::LocalEventMonitor(std::function<void()> handler) : handler_(std::move(handler)) {
    QCoreApplication::instance()->installEventFilter(this);
}

LocalEventMonitor::~LocalEventMonitor() = default;

LocalEventMonitor::Token LocalEventMonitor::install(std::function<void()> handler) {
    // The handler may release the token from inside the filter: the monitor stops at once and is
    // deleted once the event has been dealt with.
    return Token(new LocalEventMonitor(std::move(handler)), [](void* pointer) {
        auto* monitor = static_cast<LocalEventMonitor*>(pointer);
        if (auto* application = QCoreApplication::instance()) application->removeEventFilter(monitor);
        monitor->deleteLater();
    });
}

bool LocalEventMonitor::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        handler_();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tessaril
