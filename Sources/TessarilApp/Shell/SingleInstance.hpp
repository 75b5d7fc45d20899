#pragma once

#include <chrono>
#include <functional>

#include <QLocalServer>
#include <QString>

#include "Platform/Process/ProcessInfo.hpp"

namespace tessaril {

// One running application per user. The running one listens on a local socket; a later launch
// connects, hands itself over (the running one reopens) and ends at once, so the application stays
// reachable where the desktop shows no status area. Main thread.
class SingleInstance {
public:
    enum class HandOver { handedOver, noRunningInstance, runningInstanceDidNotAnswer };

    // "$XDG_RUNTIME_DIR/tessaril.instance" when that variable holds an absolute directory, else
    // "tessaril-<user id>.instance" in the temporary directory.
    static QString serverName(const platform::ProcessInfo& processInfo);

    explicit SingleInstance(QString serverName) : serverName_(std::move(serverName)) {}

    // Asks a running instance to reopen and waits at most `timeout` for its answer.
    HandOver handOverToRunningInstance(std::chrono::milliseconds timeout);
    // Listens for later launches (a socket left by an instance that died is replaced); each calls
    // `onReopen` on the main thread. False when no socket could be made.
    bool listen(std::function<void()> onReopen);
    QString errorString() const { return server_.errorString(); }

private:
    void answer(QLocalSocket* socket);

    QString serverName_;
    QLocalServer server_;
    std::function<void()> onReopen_;
};

} // namespace tessaril
