#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include "Platform/Logging/ProcessLog.hpp"
#include "Platform/Workspace/WorkspaceNotification.hpp"

class QDBusPendingCallWatcher;

namespace tessaril {

// Sleep, wake and switches of the login session, as the login manager (logind) tells them on the
// system bus, turned into the workspace's notifications: `PrepareForSleep(true)` is `willSleep` and
// `PrepareForSleep(false)` `didWake`; the session's `Lock`, and its `Active` property turning false,
// are `sessionDidResignActive`; `Unlock` and `Active` turning true are `sessionDidBecomeActive`. The
// session is the one the manager names for this process.
// Thread: main; the notifications are posted on it.
class LogindSessionMonitor final : public QObject {
    Q_OBJECT

public:
    using Post = std::function<void(platform::WorkspaceNotification)>;

    static constexpr const char* service = "org.freedesktop.login1";
    static constexpr const char* managerPath = "/org/freedesktop/login1";
    static constexpr const char* managerInterface = "org.freedesktop.login1.Manager";
    static constexpr const char* sessionInterface = "org.freedesktop.login1.Session";

    // Watches on `bus` (the system bus in the application). Without a connected bus it logs that once
    // and answers none: the application runs on without these notifications.
    static std::unique_ptr<LogindSessionMonitor> start(QDBusConnection bus, std::uint32_t processIdentifier, Post post,
                                                       const platform::ProcessLog& log);

    LogindSessionMonitor(QDBusConnection bus, std::uint32_t processIdentifier, Post post, platform::ProcessLog log);

    // The object path of the session watched; empty until the manager named it.
    const QString& sessionPath() const { return sessionPath_; }

private slots:
    // Reached by the bus only through string-named slots (see the file's connections).
    void prepareForSleep(bool starting);
    void sessionLocked();
    void sessionUnlocked();
    void sessionPropertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList& invalidated);

private:
    void sessionFound(QDBusPendingCallWatcher* call);
    void post(platform::WorkspaceNotification notification);

    QDBusConnection bus_;
    Post post_;
    platform::ProcessLog log_;
    QString sessionPath_;
};

} // namespace tessaril
