#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "Platform/Logging/LogSink.hpp"
#include "Platform/Logging/Logger.hpp"
#include "TessarilCore/Input/InputMode.hpp"

namespace tessaril {

// The log lines of input-mode switching, on the "input-mode" logger of the application's subsystem
// (shared with the virtual kana keyboard). Any thread.
class MacInputModeDiagnostics {
public:
    static constexpr std::string_view category = "input-mode";

    // The "input-mode" logger writing to `sink`.
    static platform::Logger makeLogger(std::shared_ptr<platform::LogSink> sink);

    explicit MacInputModeDiagnostics(std::shared_ptr<platform::LogSink> sink) : logger_(makeLogger(std::move(sink))) {}

    const platform::Logger& logger() const { return logger_; }

    void modeKeyQueued(InputMode mode) const;
    void selectFinished(InputMode mode, const std::optional<std::string>& sourceID,
                        const std::optional<std::string>& inputModeID, std::int32_t status) const;

private:
    platform::Logger logger_;
};

} // namespace tessaril
