#include "TessarilApp/Shell/SingleInstance.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QTimer>

namespace tessaril {

namespace {

constexpr char reopenRequest[] = "reopen\n";
constexpr char reopenAnswer[] = "ok\n";
// How often a launch looks again for a running instance that is still starting.
constexpr std::chrono::milliseconds startingInstancePoll{50};

} // namespace

QString SingleInstance::serverName(const platform::ProcessInfo& processInfo) {
    auto runtimeDirectory = processInfo.environmentValue("XDG_RUNTIME_DIR");
    if (runtimeDirectory && !runtimeDirectory->empty() && runtimeDirectory->front() == '/') {
        return QDir(QString::fromStdString(*runtimeDirectory)).filePath("tessaril.instance");
    }
    return QDir(QDir::tempPath()).filePath(QStringLiteral("tessaril-%1.instance").arg(::getuid()));
}

SingleInstance::~SingleInstance() {
    server_.close();
    if (lockDescriptor_ >= 0) ::close(lockDescriptor_);
}

bool SingleInstance::tryLock() {
    if (lockDescriptor_ >= 0) return true;
    const QByteArray path = QFile::encodeName(serverName_ + QStringLiteral(".lock"));
    const int descriptor = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0) return false;
    // Released by the system when the process ends, however it ends.
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        ::close(descriptor);
        return false;
    }
    lockDescriptor_ = descriptor;
    return true;
}

SingleInstance::HandOver SingleInstance::launch(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (tryLock()) return HandOver::noRunningInstance;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left <= std::chrono::milliseconds::zero()) return HandOver::runningInstanceDidNotAnswer;
        const HandOver handOver = handOverToRunningInstance(left);
        if (handOver != HandOver::noRunningInstance) return handOver;
        // The holder does not listen yet.
        std::this_thread::sleep_for(std::min(startingInstancePoll, left));
    }
}

QString SingleInstance::errorString() const {
    if (!holdsLock()) return QStringLiteral("another instance holds %1.lock").arg(serverName_);
    return server_.errorString();
}

SingleInstance::HandOver SingleInstance::handOverToRunningInstance(std::chrono::milliseconds timeout) {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    auto milliseconds = static_cast<int>(timeout.count());
    if (!socket.waitForConnected(milliseconds)) return HandOver::noRunningInstance;
    socket.write(reopenRequest);
    if (!socket.waitForBytesWritten(milliseconds)) return HandOver::runningInstanceDidNotAnswer;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(milliseconds)) return HandOver::runningInstanceDidNotAnswer;
    }
    return socket.readLine() == reopenAnswer ? HandOver::handedOver : HandOver::runningInstanceDidNotAnswer;
}

bool SingleInstance::listen(std::function<void()> onReopen) {
    if (!tryLock()) return false;
    onReopen_ = std::move(onReopen);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(serverName_)) {
        // The lock is ours, so no instance runs that could own the socket: one that died left it.
        QLocalServer::removeServer(serverName_);
        if (!server_.listen(serverName_)) return false;
    }
    QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] { answer(socket); });
            if (socket->canReadLine()) answer(socket);
        }
    });
    return true;
}

void SingleInstance::answer(QLocalSocket* socket) {
    if (!socket->canReadLine()) return;
    if (socket->readLine() != reopenRequest) {
        socket->disconnectFromServer();
        return;
    }
    socket->write(reopenAnswer);
    socket->flush();
    // The launch that asked ends on the answer; the reopen runs after this call.
    QTimer::singleShot(0, &server_, [this] {
        if (onReopen_) onReopen_();
    });
}

} // namespace tessaril
