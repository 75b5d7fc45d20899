#pragma once

#include "Platform/Logging/LogSink.hpp"

namespace tessaril::platform {

// Writes each line to the system log (syslog, which the journal collects) as "subsystem[category]
// message" under the identity "tessaril", at the priority of its level. Nothing reaches standard error,
// even where no log daemon listens. Any thread.
class SystemLogSink final : public LogSink {
public:
    void write(const LogRecord& record) override;
};

} // namespace tessaril::platform
