#pragma once

#include <memory>
#include <string>

#include "Platform/Logging/LogSink.hpp"

namespace tessaril::platform {

// A unified-log logger for one subsystem and category. A logger without a sink writes nowhere.
// Cheap to copy; usable from any thread as its sink is.
class Logger {
public:
    Logger() = default;
    Logger(std::shared_ptr<LogSink> sink, std::string subsystem, std::string category)
        : sink_(std::move(sink)), subsystem_(std::move(subsystem)), category_(std::move(category)) {}

    void log(LogLevel level, std::string message) const {
        if (sink_) sink_->write(LogRecord{subsystem_, category_, level, std::move(message)});
    }
    void notice(std::string message) const { log(LogLevel::notice, std::move(message)); }
    void error(std::string message) const { log(LogLevel::error, std::move(message)); }

    const std::string& subsystem() const { return subsystem_; }
    const std::string& category() const { return category_; }

private:
    std::shared_ptr<LogSink> sink_;
    std::string subsystem_;
    std::string category_;
};

} // namespace tessaril::platform
