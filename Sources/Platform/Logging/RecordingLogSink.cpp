#include "Platform/Logging/RecordingLogSink.hpp"

namespace tessaril::platform {

void RecordingLogSink::write(const LogRecord& record) {
    std::lock_guard lock(mutex_);
    records_.push_back(record);
}

std::vector<LogRecord> RecordingLogSink::records() const {
    std::lock_guard lock(mutex_);
    return records_;
}

std::vector<std::string> RecordingLogSink::messages(std::string_view category) const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> result;
    for (const auto& record : records_) {
        if (record.category == category) result.push_back(record.message);
    }
    return result;
}

void RecordingLogSink::clear() {
    std::lock_guard lock(mutex_);
    records_.clear();
}

} // namespace tessaril::platform
