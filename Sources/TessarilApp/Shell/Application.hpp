#pragma once

#include "TessarilApp/Shell/ApplicationDelegate.hpp"
#include "TessarilApp/Shell/Menu.hpp"

namespace tessaril {

// Whether the application shows in the task switcher and dock (regular) or lives in the status area
// only (accessory).
enum class ActivationPolicy { regular, accessory, prohibited };

// The shared application object: its delegate, activation policy and main menu, bringing it to the
// front, whether any of its windows shows, and ending it. Main thread.
class Application {
public:
    virtual ~Application() = default;

    virtual void setDelegate(ApplicationDelegate* delegate) = 0;
    virtual void setActivationPolicy(ActivationPolicy policy) = 0;
    virtual void setMainMenu(Menu menu) = 0;
    // Brings the application's windows to the front.
    virtual void activate(bool ignoringOtherApps) = 0;
    virtual bool hasVisibleWindows() const = 0;
    // Asks the delegate and, when it answers `terminateNow`, ends the main loop with status 0. A
    // session's request ends it whatever the answer.
    virtual void terminate(TerminationRequest request) = 0;
    // Ends the main loop with `status` without asking anyone (the QA export's end). The caller returns
    // at once; nothing else runs afterwards.
    virtual void exit(int status) = 0;
};

} // namespace tessaril
