#include "TessarilApp/AppKit/ContentRebuilder.hpp"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>

namespace tessaril::appkit {

ContentRebuilder::ContentRebuilder(std::function<void()> rebuild, QObject* parent)
    : QObject(parent), rebuild_(std::move(rebuild)) {}

void ContentRebuilder::rebuildNow() {
    laterRequested_ = false;
    if (running_) {
        againRequested_ = true;
        return;
    }
    running_ = true;
    do {
        againRequested_ = false;
        rebuild_();
    } while (againRequested_);
    running_ = false;
}

void ContentRebuilder::rebuildLater() {
    laterRequested_ = true;
    if (postPending_ || waitingForRelease_) return;
    postPending_ = true;
    QMetaObject::invokeMethod(this, [this] { runLaterIfStillWanted(); }, Qt::QueuedConnection);
}

void ContentRebuilder::runLaterIfStillWanted() {
    postPending_ = false;
    if (!laterRequested_) return;
    if (QGuiApplication::mouseButtons() != Qt::NoButton && qApp) {
        waitingForRelease_ = true;
        qApp->installEventFilter(this);
        return;
    }
    rebuildNow();
}

bool ContentRebuilder::eventFilter(QObject* watched, QEvent* event) {
    if (waitingForRelease_ && event->type() == QEvent::MouseButtonRelease && watched->isWindowType()) {
        waitingForRelease_ = false;
        qApp->removeEventFilter(this);
        // After the release has reached the control, not before.
        postPending_ = true;
        QMetaObject::invokeMethod(this, [this] { runLaterIfStillWanted(); }, Qt::QueuedConnection);
    }
    return false;
}

} // namespace tessaril::appkit
