// The bus's signals reach this object through QDBusConnection::connect, which names its receiving slot
// as a string: QtDBus has no pointer-to-member form for signals that arrive from the bus. This file
// alone makes such connections.
#include "TessarilApp/Shell/LogindSessionMonitor.hpp"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace tessaril {

namespace {

using platform::WorkspaceNotification;

constexpr const char* propertiesInterface = "org.freedesktop.DBus.Properties";

} // namespace

std::unique_ptr<LogindSessionMonitor> LogindSessionMonitor::start(QDBusConnection bus, std::uint32_t processIdentifier,
                                                                  Post post, const platform::ProcessLog& log) {
    if (!bus.isConnected()) {
        log.write("Tessaril does not observe sleep, wake or session switches: no system bus (" +
                  bus.lastError().message().toStdString() + ")");
        return nullptr;
    }
    return std::make_unique<LogindSessionMonitor>(std::move(bus), processIdentifier, std::move(post), log);
}

LogindSessionMonitor::LogindSessionMonitor(QDBusConnection bus, std::uint32_t processIdentifier, Post post,
                                           platform::ProcessLog log)
    : bus_(std::move(bus)), post_(std::move(post)), log_(std::move(log)) {
    bus_.connect(service, managerPath, managerInterface, "PrepareForSleep", this, SLOT(prepareForSleep(bool)));
    // Asked without blocking: the application does not wait for the bus at launch.
    QDBusMessage call = QDBusMessage::createMethodCall(service, managerPath, managerInterface, "GetSessionByPID");
    call << processIdentifier;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &LogindSessionMonitor::sessionFound);
}

void LogindSessionMonitor::sessionFound(QDBusPendingCallWatcher* call) {
    call->deleteLater();
    QDBusPendingReply<QDBusObjectPath> reply = *call;
    if (reply.isError()) {
        log_.write("Tessaril does not observe switches of its login session: " + reply.error().message().toStdString());
        return;
    }
    sessionPath_ = reply.value().path();
    bus_.connect(service, sessionPath_, sessionInterface, "Lock", this, SLOT(sessionLocked()));
    bus_.connect(service, sessionPath_, sessionInterface, "Unlock", this, SLOT(sessionUnlocked()));
    bus_.connect(service, sessionPath_, propertiesInterface, "PropertiesChanged", this,
                 SLOT(sessionPropertiesChanged(QString,QVariantMap,QStringList)));
}

void LogindSessionMonitor::prepareForSleep(bool starting) {
    post(starting ? WorkspaceNotification::willSleep : WorkspaceNotification::didWake);
}

void LogindSessionMonitor::sessionLocked() { post(WorkspaceNotification::sessionDidResignActive); }

void LogindSessionMonitor::sessionUnlocked() { post(WorkspaceNotification::sessionDidBecomeActive); }

void LogindSessionMonitor::sessionPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                                    const QStringList&) {
    if (interface != QLatin1String(sessionInterface)) return;
    // logind sends the new value with the change.
    if (auto active = changed.constFind(QStringLiteral("Active")); active != changed.constEnd()) {
        post(active->toBool() ? WorkspaceNotification::sessionDidBecomeActive : WorkspaceNotification::sessionDidResignActive);
    }
}

void LogindSessionMonitor::post(WorkspaceNotification notification) {
    if (post_) post_(notification);
}

} // namespace tessaril
