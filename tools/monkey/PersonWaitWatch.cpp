#include "PersonWaitWatch.hpp"

#include <QApplication>
#include <QDialog>
#include <QThread>
#include <QWidget>

namespace tessaril::monkey {

PersonWaitWatch::PersonWaitWatch(Report report) : report_(std::move(report)) {
    timer_.setInterval(200);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { check(); });
    timer_.start();
}

void PersonWaitWatch::check() {
    if (QThread::currentThread()->loopLevel() == 0) return;
    QWidget* modal = QApplication::activeModalWidget();
    std::string what = "an event loop runs: something waits for a person";
    if (modal) {
        what = std::string("a modal ") + modal->metaObject()->className() + " waits for a person: \"" +
               modal->windowTitle().toStdString() + "\"";
    }
    report_(what);
    // Cancel it, so the run can say what happened instead of hanging.
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
    } else if (modal) {
        modal->close();
    } else {
        QApplication::exit(1);
    }
}

} // namespace tessaril::monkey
