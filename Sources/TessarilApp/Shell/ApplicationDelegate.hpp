#pragma once

namespace tessaril {

enum class TerminateReply { terminateCancel, terminateNow, terminateLater };

// What the application object asks of its delegate: launching is done, the user launched the
// application again while it runs (answer whether the application handled it), may it end now.
// Main thread.
class ApplicationDelegate {
public:
    virtual ~ApplicationDelegate() = default;

    virtual void applicationDidFinishLaunching() = 0;
    virtual bool applicationShouldHandleReopen(bool hasVisibleWindows) = 0;
    virtual TerminateReply applicationShouldTerminate() = 0;
};

} // namespace tessaril
