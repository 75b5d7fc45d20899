#include "Platform/RunLoop/NamedThread.hpp"

#include <pthread.h>

namespace tessaril::platform {

namespace {
thread_local std::string currentThreadName;
constexpr std::size_t systemNameLimit = 15;
} // namespace

NamedThread::NamedThread(std::string name, std::function<void()> body) : name_(std::move(name)) {
    thread_ = std::thread([threadName = name_, body = std::move(body)] {
        currentThreadName = threadName;
        pthread_setname_np(pthread_self(), threadName.substr(0, systemNameLimit).c_str());
        body();
    });
}

NamedThread& NamedThread::operator=(NamedThread&& other) noexcept {
    if (this != &other) {
        if (thread_.joinable()) thread_.join();
        name_ = std::move(other.name_);
        thread_ = std::move(other.thread_);
    }
    return *this;
}

NamedThread::~NamedThread() {
    if (thread_.joinable()) thread_.join();
}

void NamedThread::join() {
    if (thread_.joinable()) thread_.join();
}

const std::string& NamedThread::currentName() { return currentThreadName; }

} // namespace tessaril::platform
