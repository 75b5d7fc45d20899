#include <gtest/gtest.h>

#include <memory>

#include "Platform/Logging/Logger.hpp"
#include "Platform/Logging/ProcessLog.hpp"
#include "Platform/Logging/RecordingLogSink.hpp"

using namespace tessaril::platform;

namespace {

TEST(Logger, RecordsLinesWithSubsystemCategoryAndLevel) {
    auto sink = std::make_shared<RecordingLogSink>();
    Logger health(sink, "com.tessaril.Tessaril", "input-health");
    Logger mode(sink, "com.tessaril.Tessaril", "input-mode");
    health.notice("event tap disabled reason=timeout");
    mode.error("kana keyboard creation failed");
    ProcessLog(sink).write("Tessaril settings save failed: disk full");
    Logger().notice("goes nowhere");

    EXPECT_EQ(sink->records(),
              (std::vector<LogRecord>{
                  {"com.tessaril.Tessaril", "input-health", LogLevel::notice, "event tap disabled reason=timeout"},
                  {"com.tessaril.Tessaril", "input-mode", LogLevel::error, "kana keyboard creation failed"},
                  {"process", "", LogLevel::notice, "Tessaril settings save failed: disk full"},
              }));
    EXPECT_EQ(sink->messages("input-mode"), std::vector<std::string>{"kana keyboard creation failed"});
}

} // namespace
