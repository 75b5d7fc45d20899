#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "Platform/Logging/Logger.hpp"
#include "TessarilCore/Input/CommandKeySide.hpp"
#include "TessarilCore/Input/CompanionModifier.hpp"
#include "TessarilCore/Input/InputMode.hpp"
#include "TessarilMac/Pipeline/TessarilApplicationIdentity.hpp"

namespace tessaril {

// The log lines of the keyboard event controller, on its "keyboard" logger. Any thread.
class KeyboardEventDiagnostics {
public:
    static constexpr std::string_view category = "keyboard";

    // Writes nowhere.
    KeyboardEventDiagnostics() = default;
    explicit KeyboardEventDiagnostics(std::shared_ptr<platform::LogSink> sink)
        : logger_(std::move(sink), std::string(application_identity::bundleIdentifier), std::string(category)) {}

    void suspensionChanged(bool isSuspended, std::string_view reason) const;
    void modifierGraceCorrection(CommandKeySide side, CompanionModifier companionModifier, InputMode from, InputMode to,
                                 std::int64_t overlapMilliseconds) const;

private:
    platform::Logger logger_;
};

} // namespace tessaril
