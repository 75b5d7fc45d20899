#include "WindowDoubles/RecordingApplication.hpp"

#include <QApplication>
#include <QWidget>

namespace tessaril::replay {

bool RecordingApplication::hasVisibleWindows() const {
    for (const auto* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) return true;
    }
    return false;
}

void RecordingApplication::terminate() {
    if (!delegate_ || delegate_->applicationShouldTerminate() == TerminateReply::terminateNow) exitStatus_ = 0;
}

} // namespace tessaril::replay
