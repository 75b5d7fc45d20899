#pragma once

#include <string>

#include "Platform/Logging/LogLevel.hpp"

namespace tessaril::platform {

// One written log line with where it was written.
struct LogRecord {
    std::string subsystem;
    std::string category;
    LogLevel level = LogLevel::notice;
    std::string message;

    friend bool operator==(const LogRecord&, const LogRecord&) = default;
};

} // namespace tessaril::platform
