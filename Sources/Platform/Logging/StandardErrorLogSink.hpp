#pragma once

#include <mutex>

#include "Platform/Logging/LogSink.hpp"

namespace tessaril::platform {

// Writes each line to standard error as "subsystem[category] message". Any thread; one lock keeps
// lines whole.
class StandardErrorLogSink final : public LogSink {
public:
    void write(const LogRecord& record) override;

private:
    std::mutex mutex_;
};

} // namespace tessaril::platform
