#include "Platform/Logging/StandardErrorLogSink.hpp"

#include <cstdio>

namespace tessaril::platform {

void StandardErrorLogSink::write(const LogRecord& record) {
    std::lock_guard lock(mutex_);
    std::fprintf(stderr, "%s[%s] %s\n", record.subsystem.c_str(), record.category.c_str(), record.message.c_str());
}

} // namespace tessaril::platform
