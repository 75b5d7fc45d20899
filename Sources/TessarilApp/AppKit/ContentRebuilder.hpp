#pragma once

#include <functional>

#include <QObject>

namespace tessaril::appkit {

// Runs a view rebuild safely. A rebuild asked for while one runs (a builder or an alert inside it
// asking again) is not nested: the running one is followed by exactly one more. A rebuild asked for
// later runs once from the event loop, after any pointer press in progress has been released, so the
// press still reaches the control under it; a rebuild done in the meantime makes it unnecessary.
// Main thread only.
class ContentRebuilder : public QObject {
    Q_OBJECT
public:
    explicit ContentRebuilder(std::function<void()> rebuild, QObject* parent = nullptr);

    void rebuildNow();
    void rebuildLater();

    bool isRebuilding() const { return running_; }
    bool hasPendingRebuild() const { return laterRequested_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void runLaterIfStillWanted();

    std::function<void()> rebuild_;
    bool running_ = false;
    bool againRequested_ = false;
    bool laterRequested_ = false;
    bool postPending_ = false;
    bool waitingForRelease_ = false;
};

} // namespace tessaril::appkit
