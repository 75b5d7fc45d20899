#pragma once

#include "Platform/Logging/LogRecord.hpp"

namespace tessaril::platform {

// Where log lines go. `write` is called from any thread and must be safe for that.
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void write(const LogRecord& record) = 0;
};

} // namespace tessaril::platform
