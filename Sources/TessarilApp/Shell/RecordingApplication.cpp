#include "TessarilApp/Shell/RecordingApplication.hpp"

namespace tessaril {

void RecordingApplication::terminate(TerminationRequest request) {
    if (terminationGoesAhead(delegate_, request)) hasTerminated_ = true;
}

void RecordingApplication::reopen() {
    if (delegate_) delegate_->applicationShouldHandleReopen(hasVisibleWindows_);
}

} // namespace tessaril
