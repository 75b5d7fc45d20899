#pragma once

#include <map>
#include <utility>
#include <vector>

#include "Platform/Workspace/Workspace.hpp"

namespace tessaril::platform {

// A workspace driven by hand: the test sets the frontmost application and posts notifications, which
// reach the observers at once in the order they were added; every opened URL is recorded, and opening
// can be told to fail. Main thread only.
class RecordingWorkspace final : public Workspace {
public:
    std::optional<RunningApplication> frontmostApplication() const override { return frontmost_; }
    std::size_t addObserver(WorkspaceNotification notification, Observer observer) override;
    void removeObserver(std::size_t token) override;
    bool openURL(const std::string& url) override;

    void setFrontmostApplication(std::optional<RunningApplication> application) { frontmost_ = std::move(application); }
    // Activation also makes the application frontmost.
    void post(WorkspaceNotification notification, const std::optional<RunningApplication>& application = std::nullopt);
    void setOpenURLFails(bool fails) { openURLFails_ = fails; }

    const std::vector<std::string>& openedURLs() const { return openedURLs_; }
    // The notifications observed, in the order the observers were added.
    std::vector<WorkspaceNotification> observedNotifications() const;

private:
    std::optional<RunningApplication> frontmost_;
    std::map<std::size_t, std::pair<WorkspaceNotification, Observer>> observers_;
    std::size_t nextToken_ = 1;
    std::vector<std::string> openedURLs_;
    bool openURLFails_ = false;
};

} // namespace tessaril::platform
