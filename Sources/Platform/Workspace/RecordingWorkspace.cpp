#include "Platform/Workspace/RecordingWorkspace.hpp"

namespace tessaril::platform {

std::size_t RecordingWorkspace::addObserver(WorkspaceNotification notification, Observer observer) {
    auto token = nextToken_++;
    observers_.emplace(token, std::make_pair(notification, std::move(observer)));
    return token;
}

void RecordingWorkspace::removeObserver(std::size_t token) { observers_.erase(token); }

bool RecordingWorkspace::openURL(const std::string& url) {
    if (openURLFails_) return false;
    openedURLs_.push_back(url);
    return true;
}

void RecordingWorkspace::post(WorkspaceNotification notification, const std::optional<RunningApplication>& application) {
    if (notification == WorkspaceNotification::didActivateApplication && application) frontmost_ = application;
    // Copied first: an observer may add or remove observers.
    std::vector<Observer> matching;
    for (const auto& [token, entry] : observers_) {
        if (entry.first == notification) matching.push_back(entry.second);
    }
    for (const auto& observer : matching) observer(application);
}

std::vector<WorkspaceNotification> RecordingWorkspace::observedNotifications() const {
    std::vector<WorkspaceNotification> notifications;
    for (const auto& [token, entry] : observers_) notifications.push_back(entry.first);
    return notifications;
}

} // namespace tessaril::platform
