#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include <QAbstractNativeEventFilter>
#include <QObject>

#include "Platform/Workspace/Workspace.hpp"

struct xcb_connection_t;

namespace tessaril {

// The workspace of a Linux desktop. On X11 the frontmost application is the window manager's active
// window, named by its window class (which stands in for the bundle identifier); a change of the active
// window is told to the activation observers, and a window of this process is this application. URLs
// open with the desktop's handler. Sleep, wake and session switches come from the login manager through
// `post` (see LogindSessionMonitor). Main thread; made after the Qt application.
class DesktopWorkspace final : public platform::Workspace, private QAbstractNativeEventFilter {
public:
    // `ownApplication` is what a window of this process (`processIdentifier`) reports.
    DesktopWorkspace(std::int64_t processIdentifier, platform::RunningApplication ownApplication);
    ~DesktopWorkspace() override;
    DesktopWorkspace(const DesktopWorkspace&) = delete;
    DesktopWorkspace& operator=(const DesktopWorkspace&) = delete;

    std::optional<platform::RunningApplication> frontmostApplication() const override;
    std::size_t addObserver(platform::WorkspaceNotification notification, Observer observer) override;
    void removeObserver(std::size_t token) override;
    bool openURL(const std::string& url) override;
    // Tells the observers of `notification`.
    void post(platform::WorkspaceNotification notification,
              const std::optional<platform::RunningApplication>& application = std::nullopt);

    // The application a WM_CLASS value names: its class (the second of its two NUL-terminated
    // strings, else the first) as bundle identifier and name; none when both are empty.
    static std::optional<platform::RunningApplication> applicationFromWindowClass(std::string_view windowClass);

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    void activeWindowChanged();
    std::optional<std::uint32_t> atom(const char* name) const;
    std::optional<std::string> windowProperty(std::uint32_t window, std::uint32_t property, std::uint32_t type) const;

    std::int64_t processIdentifier_;
    platform::RunningApplication ownApplication_;
    xcb_connection_t* connection_ = nullptr;
    std::uint32_t rootWindow_ = 0;
    std::uint32_t activeWindowAtom_ = 0;
    std::optional<platform::RunningApplication> lastFrontmost_;
    std::map<std::size_t, std::pair<platform::WorkspaceNotification, Observer>> observers_;
    std::size_t nextToken_ = 1;
    // Deferred work goes with the workspace.
    std::unique_ptr<QObject> context_ = std::make_unique<QObject>();
};

} // namespace tessaril
