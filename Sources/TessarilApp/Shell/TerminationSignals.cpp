#include "TessarilApp/Shell/TerminationSignals.hpp"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <stdexcept>

namespace tessaril {

namespace {

// Read end and write end of the pipe; the handler may touch nothing else.
std::array<int, 2> signalPipe{-1, -1};
constexpr std::array<int, 2> handledSignals{SIGTERM, SIGINT};

extern "C" void writeSignalNumber(int signalNumber) {
    int savedErrno = errno;
    auto byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] auto written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

void setHandler(int signalNumber, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signalNumber, &action, nullptr);
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void(int signal)> onSignal) : onSignal_(std::move(onSignal)) {
    if (::pipe2(signalPipe.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        throw std::runtime_error("no pipe for the termination signals");
    }
    notifier_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] { drain(); });
    for (int signalNumber : handledSignals) setHandler(signalNumber, writeSignalNumber);
}

TerminationSignals::~TerminationSignals() {
    for (int signalNumber : handledSignals) setHandler(signalNumber, SIG_DFL);
    notifier_.reset();
    for (int& descriptor : signalPipe) {
        ::close(descriptor);
        descriptor = -1;
    }
}

void TerminationSignals::drain() {
    unsigned char byte = 0;
    while (::read(signalPipe[0], &byte, 1) == 1) {
        if (onSignal_) onSignal_(byte);
    }
}

} // namespace tessaril
