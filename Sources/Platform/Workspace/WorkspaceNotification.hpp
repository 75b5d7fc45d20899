#pragma once

namespace tessaril::platform {

// What the workspace's notification centre tells its observers: another application came to the front,
// the machine goes to sleep or woke, the login session was switched away from or back to.
enum class WorkspaceNotification {
    didActivateApplication,
    willSleep,
    didWake,
    sessionDidResignActive,
    sessionDidBecomeActive,
};

} // namespace tessaril::platform
