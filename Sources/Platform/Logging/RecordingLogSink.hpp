#pragma once

#include <mutex>
#include <string_view>
#include <vector>

#include "Platform/Logging/LogSink.hpp"

namespace tessaril::platform {

// Keeps every line in order so tests can read what was logged. Any thread; one lock.
class RecordingLogSink final : public LogSink {
public:
    void write(const LogRecord& record) override;

    std::vector<LogRecord> records() const;
    // The messages written under a category, in order.
    std::vector<std::string> messages(std::string_view category) const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<LogRecord> records_;
};

} // namespace tessaril::platform
