#pragma once

#include <functional>
#include <memory>

#include <QSocketNotifier>

namespace tessaril {

// Turns SIGTERM and SIGINT into a call on the main thread, so the application ends through its own
// quit path. The signal handler only writes a byte to a pipe that the event loop watches. One per
// process; made and destroyed on the main thread (destruction restores the default handlers).
class TerminationSignals {
public:
    explicit TerminationSignals(std::function<void(int signal)> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void drain();

    std::function<void(int signal)> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace tessaril
