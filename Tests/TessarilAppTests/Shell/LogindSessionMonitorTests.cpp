// Sleep, wake and session switches as the login manager sends them, on a private message bus that the
// test starts, with a stand-in manager that names the session.
#include <gtest/gtest.h>

#include <vector>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "Platform/Logging/RecordingLogSink.hpp"
#include "TessarilApp/Shell/LogindSessionMonitor.hpp"

using namespace tessaril;
using platform::WorkspaceNotification;

namespace {

constexpr const char* sessionPath = "/org/freedesktop/login1/session/_37";

// The manager's one method the monitor asks: the session of a process.
class FakeLoginManager final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    std::vector<uint> askedFor;

public slots:
    QDBusObjectPath GetSessionByPID(uint processIdentifier) {
        askedFor.push_back(processIdentifier);
        return QDBusObjectPath(QString::fromLatin1(sessionPath));
    }
};

// A message bus of the test's own, which lets anyone own any name.
class PrivateBus {
public:
    PrivateBus() {
        const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
        if (daemon.isEmpty() || !directory_.isValid()) return;
        QFile config(directory_.filePath("bus.conf"));
        if (!config.open(QIODevice::WriteOnly)) return;
        config.write(QStringLiteral(R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig><type>session</type><listen>unix:path=%1</listen><auth>EXTERNAL</auth>
<policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/></policy>
</busconfig>)").arg(directory_.filePath("bus")).toUtf8());
        config.close();
        daemon_.start(daemon, {"--nofork", "--print-address", "--config-file=" + config.fileName()});
        if (!daemon_.waitForStarted(10000)) return;
        while (!daemon_.canReadLine() && daemon_.waitForReadyRead(10000)) {
        }
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus() {
        daemon_.terminate();
        daemon_.waitForFinished(10000);
    }
    const QString& address() const { return address_; }

private:
    QTemporaryDir directory_;
    QProcess daemon_;
    QString address_;
};

template <typename Condition> bool waitUntil(Condition condition) {
    QElapsedTimer waited;
    waited.start();
    while (!condition() && waited.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
}

} // namespace

TEST(LogindSessionMonitor, SleepWakeLockUnlockAndActiveReachTheWorkspaceNotifications) {
    PrivateBus bus;
    if (bus.address().isEmpty()) GTEST_SKIP() << "no dbus-daemon to start a private bus with";
    QDBusConnection manager = QDBusConnection::connectToBus(bus.address(), "login-manager");
    ASSERT_TRUE(manager.isConnected()) << manager.lastError().message().toStdString();
    FakeLoginManager managerObject;
    ASSERT_TRUE(manager.registerObject(LogindSessionMonitor::managerPath, &managerObject, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(manager.registerService(LogindSessionMonitor::service));

    QDBusConnection watched = QDBusConnection::connectToBus(bus.address(), "watched");
    std::vector<WorkspaceNotification> posted;
    auto log = std::make_shared<platform::RecordingLogSink>();
    auto monitor = LogindSessionMonitor::start(
        watched, 4321, [&posted](WorkspaceNotification notification) { posted.push_back(notification); },
        platform::ProcessLog(log));
    ASSERT_NE(monitor, nullptr);
    ASSERT_TRUE(waitUntil([&monitor] { return monitor->sessionPath() == QLatin1String(sessionPath); }));
    EXPECT_EQ(managerObject.askedFor, std::vector<uint>{4321});
    // A round trip on the watching connection: its subscriptions have reached the bus.
    watched.interface()->registeredServiceNames();

    const auto managerSignal = [](bool starting) {
        QDBusMessage message = QDBusMessage::createSignal(LogindSessionMonitor::managerPath,
                                                          LogindSessionMonitor::managerInterface, "PrepareForSleep");
        return message << starting;
    };
    const auto sessionSignal = [](const char* path, const char* name) {
        return QDBusMessage::createSignal(path, LogindSessionMonitor::sessionInterface, name);
    };
    const auto propertiesChanged = [](const char* interface, QVariantMap changed) {
        QDBusMessage message =
            QDBusMessage::createSignal(sessionPath, "org.freedesktop.DBus.Properties", "PropertiesChanged");
        return message << QString::fromLatin1(interface) << changed << QStringList();
    };
    using W = WorkspaceNotification;
    const std::vector<std::pair<QDBusMessage, std::vector<W>>> signalsAndPosts{
        {managerSignal(true), {W::willSleep}},
        {managerSignal(false), {W::didWake}},
        {sessionSignal(sessionPath, "Lock"), {W::sessionDidResignActive}},
        {sessionSignal(sessionPath, "Unlock"), {W::sessionDidBecomeActive}},
        {propertiesChanged(LogindSessionMonitor::sessionInterface, {{"Active", false}}), {W::sessionDidResignActive}},
        {propertiesChanged(LogindSessionMonitor::sessionInterface, {{"Active", true}}), {W::sessionDidBecomeActive}},
        // Another session's lock and other properties are not this session's switches.
        {sessionSignal("/org/freedesktop/login1/session/_2", "Lock"), {}},
        {propertiesChanged(LogindSessionMonitor::sessionInterface, {{"IdleHint", true}}), {}},
        {propertiesChanged("org.freedesktop.login1.User", {{"Active", false}}), {}},
    };
    std::vector<W> expected;
    for (const auto& [message, posts] : signalsAndPosts) {
        ASSERT_TRUE(manager.send(message));
        expected.insert(expected.end(), posts.begin(), posts.end());
    }
    // The last signal posts nothing, so one more that does marks the end of the run.
    ASSERT_TRUE(manager.send(managerSignal(true)));
    expected.push_back(W::willSleep);
    EXPECT_TRUE(waitUntil([&] { return posted.size() >= expected.size(); }));
    EXPECT_EQ(posted, expected);
    EXPECT_TRUE(log->messages("").empty());
    QDBusConnection::disconnectFromBus("watched");
    QDBusConnection::disconnectFromBus("login-manager");
}

TEST(LogindSessionMonitor, WithoutASystemBusItLogsOnceAndWatchesNothing) {
    QTemporaryDir directory;
    QDBusConnection absent = QDBusConnection::connectToBus("unix:path=" + directory.filePath("no-bus"), "absent-bus");
    auto log = std::make_shared<platform::RecordingLogSink>();
    auto monitor = LogindSessionMonitor::start(absent, 1, [](WorkspaceNotification) {}, platform::ProcessLog(log));
    EXPECT_EQ(monitor, nullptr);
    const auto messages = log->messages("");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.front().rfind("Tessaril does not observe sleep, wake or session switches: no system bus (", 0), 0u)
        << messages.front();
    QDBusConnection::disconnectFromBus("absent-bus");
}

#include "LogindSessionMonitorTests.moc"
