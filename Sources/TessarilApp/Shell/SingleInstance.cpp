#include "TessarilApp/Shell/SingleInstance.hpp"

#include <unistd.h>

#include <QDir>
#include <QLocalSocket>
#include <QTimer>

namespace tessaril {

namespace {

constexpr char reopenRequest[] = "reopen\n";
constexpr char reopenAnswer[] = "ok\n";

} // namespace

QString SingleInstance::serverName(const platform::ProcessInfo& processInfo) {
    auto runtimeDirectory = processInfo.environmentValue("XDG_RUNTIME_DIR");
    if (runtimeDirectory && !runtimeDirectory->empty() && runtimeDirectory->front() == '/') {
        return QDir(QString::fromStdString(*runtimeDirectory)).filePath("tessaril.instance");
    }
    return QDir(QDir::tempPath()).filePath(QStringLiteral("tessaril-%1.instance").arg(::getuid()));
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
    onReopen_ = std::move(onReopen);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(serverName_)) {
        // Nobody answered on it, so the socket was left by an instance that died.
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
