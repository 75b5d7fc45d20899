#pragma once

#include <functional>
#include <string>

#include "Platform/RunLoop/NamedThread.hpp"

namespace tessaril::platform {

// Starts named threads; the seam through which tests make thread creation fail the way a process
// out of threads does. Called on the thread that wants the new thread.
class ThreadLauncher {
public:
    virtual ~ThreadLauncher() = default;
    // Throws std::system_error when no thread can be started.
    virtual NamedThread launch(std::string name, std::function<void()> body) = 0;
};

} // namespace tessaril::platform
