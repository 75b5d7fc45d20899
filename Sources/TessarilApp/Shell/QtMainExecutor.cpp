#include "TessarilApp/Shell/QtMainExecutor.hpp"

#include <QMetaObject>
#include <QThread>
#include <QTimer>

namespace tessaril {

QtMainExecutor::QtMainExecutor() : context_(std::make_unique<QObject>()) {}

QtMainExecutor::~QtMainExecutor() = default;

void QtMainExecutor::post(Block block) {
    QMetaObject::invokeMethod(context_.get(), std::move(block), Qt::QueuedConnection);
}

platform::DelayedWorkItem QtMainExecutor::postAfter(std::chrono::nanoseconds delay, Block block) {
    auto item = platform::DelayedWorkItem::make();
    Deadline deadline = std::chrono::steady_clock::now() + delay;
    if (isCurrent()) {
        arm(deadline, item, std::move(block));
    } else {
        // Timers belong to the main thread: hand the arming over.
        QMetaObject::invokeMethod(
            context_.get(), [this, deadline, item, block = std::move(block)]() mutable { arm(deadline, item, std::move(block)); },
            Qt::QueuedConnection);
    }
    return item;
}

bool QtMainExecutor::isCurrent() const { return QThread::currentThread() == context_->thread(); }

void QtMainExecutor::arm(Deadline deadline, platform::DelayedWorkItem item, Block block) {
    if (item.isCancelled()) return;
    auto remaining = deadline - std::chrono::steady_clock::now();
    if (remaining <= std::chrono::nanoseconds::zero()) {
        // Due already: after what is queued now, as a zero-delay timer would run.
        QTimer::singleShot(0, Qt::PreciseTimer, context_.get(), [item, block = std::move(block)] {
            if (!item.isCancelled()) block();
        });
        return;
    }
    // Whole milliseconds, rounded up; a timer that still fires early is armed again for the rest.
    auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(remaining);
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, context_.get(),
                       [this, deadline, item, block = std::move(block)]() mutable {
                           if (std::chrono::steady_clock::now() < deadline) {
                               arm(deadline, item, std::move(block));
                           } else if (!item.isCancelled()) {
                               block();
                           }
                       });
}

} // namespace tessaril
