#include "TessarilApp/Shell/RecordingApplication.hpp"

namespace tessaril {

void RecordingApplication::terminate() {
    if (delegate_ && delegate_->applicationShouldTerminate() != TerminateReply::terminateNow) return;
    hasTerminated_ = true;
}

void RecordingApplication::reopen() {
    if (delegate_) delegate_->applicationShouldHandleReopen(hasVisibleWindows_);
}

} // namespace tessaril
