// The application as a process: it starts off-screen, a second launch hands over to it and returns at
// once, and it ends cleanly on SIGTERM.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

using namespace std::chrono_literals;

namespace {

// A private runtime and configuration directory, so the launches meet each other and nobody else.
QProcessEnvironment isolatedEnvironment(const QTemporaryDir& directory) {
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_RUNTIME_DIR", directory.path());
    environment.insert("XDG_CONFIG_HOME", directory.filePath("config"));
    environment.remove("TESSARIL_QA_SETTINGS_EXPORT_DIR");
    return environment;
}

// Waits (bounded) until the running instance accepts launches on its socket.
bool waitUntilListening(const QString& socketPath, const QProcess& process) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 20000 && process.state() == QProcess::Running) {
        QLocalSocket probe;
        probe.connectToServer(socketPath);
        if (probe.waitForConnected(200)) return true;
        QThread::msleep(50);
    }
    return false;
}

} // namespace

TEST(ApplicationProcess, ASecondLaunchHandsOverAndSigtermEndsTheFirstCleanly) {
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    QProcess first;
    first.setProcessEnvironment(isolatedEnvironment(directory));
    first.start(TESSARIL_APPLICATION_PATH, {});
    ASSERT_TRUE(first.waitForStarted(10000));
    ASSERT_TRUE(waitUntilListening(directory.filePath("tessaril.instance"), first))
        << first.readAllStandardError().toStdString();

    QProcess second;
    second.setProcessEnvironment(isolatedEnvironment(directory));
    second.start(TESSARIL_APPLICATION_PATH, {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);

    first.terminate();
    ASSERT_TRUE(first.waitForFinished(20000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
}

// Two launches at the same moment: one runs, the other hands over to it and ends.
TEST(ApplicationProcess, TwoLaunchesAtOnceLeaveOneRunningInstance) {
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    QProcess launches[2];
    for (QProcess& launch : launches) {
        launch.setProcessEnvironment(isolatedEnvironment(directory));
        launch.start(TESSARIL_APPLICATION_PATH, {});
    }
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 30000 && launches[0].state() != QProcess::NotRunning &&
           launches[1].state() != QProcess::NotRunning) {
        for (QProcess& launch : launches) launch.waitForFinished(25);
    }
    const int ended = launches[0].state() == QProcess::NotRunning ? 0 : 1;
    QProcess& running = launches[1 - ended];
    if (launches[ended].state() != QProcess::NotRunning) {
        for (QProcess& launch : launches) launch.kill();
        FAIL() << "neither launch handed over";
    }
    EXPECT_EQ(launches[ended].exitCode(), 0) << launches[ended].readAllStandardError().toStdString();
    QThread::msleep(300);
    EXPECT_EQ(running.state(), QProcess::Running);

    // The running one is the one a third launch reaches.
    QProcess third;
    third.setProcessEnvironment(isolatedEnvironment(directory));
    third.start(TESSARIL_APPLICATION_PATH, {});
    ASSERT_TRUE(third.waitForFinished(20000));
    EXPECT_EQ(third.exitCode(), 0) << third.readAllStandardError().toStdString();
    running.terminate();
    ASSERT_TRUE(running.waitForFinished(20000));
    EXPECT_EQ(running.exitCode(), 0) << running.readAllStandardError().toStdString();
}

TEST(ApplicationProcess, AQAExportRunsAloneAndEndsWithItsReport) {
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    auto environment = isolatedEnvironment(directory);
    environment.insert("TESSARIL_QA_SETTINGS_EXPORT_DIR", directory.filePath("qa"));
    // No display and no platform named: QA mode must choose the off-screen one itself. Without a
    // runtime directory the toolkit has something to say, which must not reach standard error.
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("XDG_RUNTIME_DIR");
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(TESSARIL_APPLICATION_PATH, {});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "Tessaril QA settings preview export completed: " + directory.filePath("qa").toStdString() + "\n");
    EXPECT_FALSE(QFile::exists(directory.filePath("tessaril.instance"))) << "a QA run is no running instance";
}
