#pragma once

#include <chrono>
#include <functional>

#include <QLocalServer>
#include <QString>

#include "Platform/Process/ProcessInfo.hpp"

namespace tessaril {

// One running application per user. The running one holds a lock on "<server name>.lock" for the life
// of its process and listens on a local socket; a later launch finds the lock taken, connects, hands
// itself over (the running one reopens) and ends at once, so the application stays reachable where the
// desktop shows no status area. Only the holder of the lock may replace a socket file, so a launch
// never deletes the socket of an instance that is still starting. Main thread.
class SingleInstance {
public:
    enum class HandOver { handedOver, noRunningInstance, runningInstanceDidNotAnswer };

    // "$XDG_RUNTIME_DIR/tessaril.instance" when that variable holds an absolute directory, else
    // "tessaril-<user id>.instance" in the temporary directory.
    static QString serverName(const platform::ProcessInfo& processInfo);

    explicit SingleInstance(QString serverName) : serverName_(std::move(serverName)) {}
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Decides this launch: `noRunningInstance` when it took the lock (it is the running instance now
    // and should `listen`); otherwise hands over to the holder, waiting at most `timeout` for it to
    // listen and answer (a holder that ends meanwhile leaves the lock to this launch).
    HandOver launch(std::chrono::milliseconds timeout);
    // Asks a running instance to reopen and waits at most `timeout` for its answer.
    HandOver handOverToRunningInstance(std::chrono::milliseconds timeout);
    // Listens for later launches; each calls `onReopen` on the main thread. Only the lock's holder
    // listens, replacing a socket file left by an instance that died. False when this launch does not
    // hold the lock or no socket could be made.
    bool listen(std::function<void()> onReopen);
    QString errorString() const;
    bool holdsLock() const { return lockDescriptor_ >= 0; }

private:
    // Takes the lock if nobody holds it; true when this instance holds it.
    bool tryLock();
    void answer(QLocalSocket* socket);

    QString serverName_;
    int lockDescriptor_ = -1;
    QLocalServer server_;
    std::function<void()> onReopen_;
};

} // namespace tessaril
