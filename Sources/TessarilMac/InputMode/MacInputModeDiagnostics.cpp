#include "TessarilMac/InputMode/MacInputModeDiagnostics.hpp"

#include "TessarilMac/Pipeline/TessarilApplicationIdentity.hpp"

namespace tessaril {

platform::Logger MacInputModeDiagnostics::makeLogger(std::shared_ptr<platform::LogSink> sink) {
    return platform::Logger(std::move(sink), std::string(application_identity::bundleIdentifier), std::string(category));
}

void MacInputModeDiagnostics::modeKeyQueued(InputMode mode) const {
    logger_.notice("mode key queued mode=" + std::string(rawValue(mode)));
}

void MacInputModeDiagnostics::selectFinished(InputMode mode, const std::optional<std::string>& sourceID,
                                             const std::optional<std::string>& inputModeID, std::int32_t status) const {
    logger_.notice("TISSelectInputSource result mode=" + std::string(rawValue(mode)) +
                   " sourceID=" + sourceID.value_or("unknown") + " inputModeID=" + inputModeID.value_or("none") +
                   " status=" + std::to_string(status));
}

} // namespace tessaril
