#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace tessaril {

// Calls a handler for every key press and mouse-button press this application receives, before the
// receiver sees it, and passes the event on unchanged. Thread: the GUI thread.
class LocalEventMonitor final : public QObject {
    Q_OBJECT

public:
    using Token = std::shared_ptr<void>;

    // Monitors until the token is released; the handler may release it.
    static Token install(std::function<void()> handler);

private:
    explicit LocalEventMonitor(std::function<void()> handler);
    ~LocalEventMonitor() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> handler_;
};

} // namespace tessaril
