#pragma once

#include <string>

#include "Platform/LoginItem/LoginItemStatus.hpp"

namespace tessaril::platform {

// The running application as a login item of the user's session: where it runs from, its status read
// afresh on each call, registering and unregistering it, and where the session's own list of start-up
// items is shown. Main thread.
class LoginItemService {
public:
    virtual ~LoginItemService() = default;

    // Whether the running executable is the installed one, the only one that may be a login item.
    virtual bool isInstalled() const = 0;
    virtual LoginItemStatus status() const = 0;
    // Both throw LoginItemError and then change nothing.
    virtual void registerItem() = 0;
    virtual void unregisterItem() = 0;
    // The address that opens the session's list of start-up items with the workspace.
    virtual std::string loginItemsSettingsURL() const = 0;
};

} // namespace tessaril::platform
