#include "Platform/Logging/SystemLogSink.hpp"

#include <syslog.h>

namespace tessaril::platform {

namespace {

int priority(LogLevel level) {
    switch (level) {
    case LogLevel::debug: return LOG_DEBUG;
    case LogLevel::info: return LOG_INFO;
    case LogLevel::notice: return LOG_NOTICE;
    case LogLevel::error: return LOG_ERR;
    case LogLevel::fault: return LOG_CRIT;
    }
    return LOG_NOTICE;
}

} // namespace

void SystemLogSink::write(const LogRecord& record) {
    // Without LOG_CONS or LOG_PERROR the line goes nowhere else when the log cannot take it.
    ::openlog("tessaril", LOG_PID, LOG_USER);
    ::syslog(LOG_USER | priority(record.level), "%s[%s] %s", record.subsystem.c_str(), record.category.c_str(),
             record.message.c_str());
}

} // namespace tessaril::platform
