#pragma once

namespace tessaril {

enum class TerminateReply { terminateCancel, terminateNow, terminateLater };

// Who asks the application to end. The person (the quit command, its key equivalent) may be asked to
// think again; the session (a termination signal, logout, shutdown) ends it without waiting for anyone.
enum class TerminationRequest { user, session };

// What the application object asks of its delegate: launching is done, the user launched the
// application again while it runs (answer whether the application handled it), may it end now.
// Main thread.
class ApplicationDelegate {
public:
    virtual ~ApplicationDelegate() = default;

    virtual void applicationDidFinishLaunching() = 0;
    virtual bool applicationShouldHandleReopen(bool hasVisibleWindows) = 0;
    // A session's request is asked too, so the delegate can stop what runs, but its answer cannot
    // keep the application from ending.
    virtual TerminateReply applicationShouldTerminate(TerminationRequest request) = 0;
};

// Asks the delegate, if any, and answers whether the application ends: a person's request only when
// the delegate agrees, a session's always.
inline bool terminationGoesAhead(ApplicationDelegate* delegate, TerminationRequest request) {
    const bool agreed = delegate == nullptr || delegate->applicationShouldTerminate(request) == TerminateReply::terminateNow;
    return agreed || request == TerminationRequest::session;
}

} // namespace tessaril
