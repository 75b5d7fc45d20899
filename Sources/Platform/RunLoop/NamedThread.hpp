#pragma once

#include <functional>
#include <string>
#include <thread>

namespace tessaril::platform {

// A joinable thread that carries a name, readable from inside through `currentName()`. The operating
// system's copy of the name is cut to the 15 bytes Linux keeps; `currentName()` gives it whole.
// Created and joined by its owner's thread; the body runs on the new thread.
class NamedThread {
public:
    NamedThread() = default;
    // Throws std::system_error when the system cannot start another thread.
    NamedThread(std::string name, std::function<void()> body);
    NamedThread(NamedThread&&) noexcept = default;
    NamedThread& operator=(NamedThread&& other) noexcept;
    ~NamedThread();

    bool joinable() const { return thread_.joinable(); }
    void join();
    std::thread::id id() const { return thread_.get_id(); }
    const std::string& name() const { return name_; }

    // The name of the calling thread as given to its NamedThread; empty for other threads.
    static const std::string& currentName();

private:
    std::string name_;
    std::thread thread_;
};

} // namespace tessaril::platform
