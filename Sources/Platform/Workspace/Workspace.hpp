#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "Platform/Workspace/RunningApplication.hpp"
#include "Platform/Workspace/WorkspaceNotification.hpp"

namespace tessaril::platform {

// The shared workspace: which application is frontmost, the notifications of application activation,
// sleep and wake and of the login session, and opening URLs with the user's default handler.
// Main thread: observers are added, removed and called there.
class Workspace {
public:
    // Called with the notification's application (the one activated) or none when it carries none.
    using Observer = std::function<void(const std::optional<RunningApplication>& application)>;

    virtual ~Workspace() = default;

    virtual std::optional<RunningApplication> frontmostApplication() const = 0;
    virtual std::size_t addObserver(WorkspaceNotification notification, Observer observer) = 0;
    virtual void removeObserver(std::size_t token) = 0;
    // False when no handler took the URL.
    virtual bool openURL(const std::string& url) = 0;
};

} // namespace tessaril::platform
