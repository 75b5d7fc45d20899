#pragma once

#include <memory>
#include <string>

#include "Platform/Logging/LogSink.hpp"

namespace tessaril::platform {

// The process's own log (where NSLog writes), for the few lines that are not unified-log lines. Its
// lines carry subsystem "process" and no category. Any thread.
class ProcessLog {
public:
    explicit ProcessLog(std::shared_ptr<LogSink> sink) : sink_(std::move(sink)) {}

    void write(std::string line) const {
        if (sink_) sink_->write(LogRecord{"process", "", LogLevel::notice, std::move(line)});
    }

private:
    std::shared_ptr<LogSink> sink_;
};

} // namespace tessaril::platform
