#include "TessarilCore/Engine/EngineEvent.hpp"

#include <array>
#include <string_view>

namespace tessaril {
namespace {
constexpr std::array<std::string_view, 2> caseNames{"physicalKey", "shortcut"};
} // namespace

Json JSONCoding<EngineEvent>::encode(const EngineEvent& event) {
    if (const auto* physical = event.physicalKeyEvent()) return coding::caseObject(caseNames[0], coding::encode(*physical));
    return coding::caseObject(caseNames[1], coding::encode(*event.shortcutAttempt()));
}

EngineEvent JSONCoding<EngineEvent>::decode(const Json& value) {
    auto found = coding::decodeCaseObject(value, caseNames, "EngineEvent");
    return coding::atKey(caseNames[found.caseIndex], [&] {
        if (found.caseIndex == 0) return EngineEvent::physicalKey(coding::decodePayload<PhysicalKeyEvent>(*found.value));
        return EngineEvent::shortcut(coding::decodePayload<ShortcutAttempt>(*found.value));
    });
}

} // namespace tessaril
