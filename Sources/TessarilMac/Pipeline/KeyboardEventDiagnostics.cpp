#include "TessarilMac/Pipeline/KeyboardEventDiagnostics.hpp"

#include <string>

namespace tessaril {

void KeyboardEventDiagnostics::suspensionChanged(bool isSuspended, std::string_view reason) const {
    std::string message = "keyboard event controller suspension changed isSuspended=";
    message += isSuspended ? "true" : "false";
    message += " reason=";
    message += reason;
    logger_.notice(std::move(message));
}

void KeyboardEventDiagnostics::modifierGraceCorrection(CommandKeySide side, CompanionModifier companionModifier,
                                                       InputMode from, InputMode to,
                                                       std::int64_t overlapMilliseconds) const {
    std::string message = "modifier grace correction side=";
    message += rawValue(side);
    message += " companion=";
    message += rawValue(companionModifier);
    message += " from=";
    message += rawValue(from);
    message += " to=";
    message += rawValue(to);
    message += " overlapMs=";
    message += std::to_string(overlapMilliseconds);
    logger_.notice(std::move(message));
}

} // namespace tessaril
