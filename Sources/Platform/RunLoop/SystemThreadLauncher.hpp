#pragma once

#include "Platform/RunLoop/ThreadLauncher.hpp"

namespace tessaril::platform {

// The system's own threads; any thread.
class SystemThreadLauncher final : public ThreadLauncher {
public:
    NamedThread launch(std::string name, std::function<void()> body) override {
        return NamedThread(std::move(name), std::move(body));
    }
};

} // namespace tessaril::platform
