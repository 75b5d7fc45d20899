// One running application per user: a later launch hands itself over to the running one.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <future>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "TessarilApp/Shell/SingleInstance.hpp"

using namespace tessaril;
using namespace std::chrono_literals;
using HandOver = SingleInstance::HandOver;

namespace {

// The later launch runs on a thread of its own while the running instance's event loop turns here.
HandOver handOverWhileRunning(const QString& name, const bool& reopened) {
    auto later = std::async(std::launch::async, [name] { return SingleInstance(name).handOverToRunningInstance(5s); });
    QElapsedTimer waited;
    waited.start();
    while ((later.wait_for(0ms) != std::future_status::ready || !reopened) && waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return later.get();
}

// A socket file as an instance that died leaves it: bound, then closed without removing it.
void leaveStaleSocket(const QString& path) {
    int descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(descriptor, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    auto bytes = path.toStdString();
    std::strncpy(address.sun_path, bytes.c_str(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(descriptor);
}

} // namespace

TEST(SingleInstance, ALaterLaunchHandsOverAndTheRunningOneReopens) {
    QTemporaryDir directory;
    const QString name = directory.filePath("tessaril.instance");
    EXPECT_EQ(SingleInstance(name).handOverToRunningInstance(1s), HandOver::noRunningInstance);

    SingleInstance running(name);
    bool reopened = false;
    ASSERT_TRUE(running.listen([&reopened] { reopened = true; }));
    EXPECT_EQ(handOverWhileRunning(name, reopened), HandOver::handedOver);
    EXPECT_TRUE(reopened);
}

TEST(SingleInstance, ASocketLeftByADeadInstanceIsReplaced) {
    QTemporaryDir directory;
    const QString name = directory.filePath("tessaril.instance");
    leaveStaleSocket(name);
    EXPECT_EQ(SingleInstance(name).handOverToRunningInstance(1s), HandOver::noRunningInstance);
    SingleInstance running(name);
    bool reopened = false;
    ASSERT_TRUE(running.listen([&reopened] { reopened = true; })) << running.errorString().toStdString();
    EXPECT_EQ(handOverWhileRunning(name, reopened), HandOver::handedOver);
}

// An instance that holds the lock but does not listen yet (it is still starting): a later launch
// neither takes over nor deletes anything, waits for it and hands over once it listens.
TEST(SingleInstance, OnlyTheLockHolderListensAndALaterLaunchWaitsForItToStart) {
    QTemporaryDir directory;
    const QString name = directory.filePath("tessaril.instance");
    SingleInstance first(name);
    ASSERT_EQ(first.launch(1s), HandOver::noRunningInstance);
    SingleInstance second(name);
    EXPECT_EQ(second.launch(200ms), HandOver::runningInstanceDidNotAnswer);
    EXPECT_FALSE(second.listen([] {}));

    bool reopened = false;
    auto later = std::async(std::launch::async, [name] { return SingleInstance(name).launch(10s); });
    EXPECT_EQ(later.wait_for(300ms), std::future_status::timeout) << "the later launch must wait for the first";
    ASSERT_TRUE(first.listen([&reopened] { reopened = true; })) << first.errorString().toStdString();
    QElapsedTimer waited;
    waited.start();
    while ((later.wait_for(0ms) != std::future_status::ready || !reopened) && waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_EQ(later.get(), HandOver::handedOver);
    EXPECT_TRUE(reopened);
    // A launch that does not hold the lock leaves the running one's socket alone.
    EXPECT_FALSE(second.listen([] {}));
    reopened = false;
    EXPECT_EQ(handOverWhileRunning(name, reopened), HandOver::handedOver);
}

TEST(SingleInstance, TheSocketLivesInTheUsersRuntimeDirectory) {
    platform::ProcessInfo withRuntime{{"tessaril"}, {{"XDG_RUNTIME_DIR", "/run/user/1000"}}, 1};
    EXPECT_EQ(SingleInstance::serverName(withRuntime).toStdString(), "/run/user/1000/tessaril.instance");
    platform::ProcessInfo relative{{"tessaril"}, {{"XDG_RUNTIME_DIR", "run"}}, 1};
    EXPECT_TRUE(SingleInstance::serverName(relative).endsWith(QStringLiteral("tessaril-%1.instance").arg(::getuid())));
}
