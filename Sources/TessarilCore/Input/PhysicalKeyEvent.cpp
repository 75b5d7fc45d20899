#include "TessarilCore/Input/PhysicalKeyEvent.hpp"

namespace tessaril {

Json JSONCoding<PhysicalKeyEvent>::encode(const PhysicalKeyEvent& event) {
    return Json{{"key", coding::encode(event.key)},
                {"phase", coding::encode(event.phase)},
                {"timeMilliseconds", event.timeMilliseconds},
                {"isRepeat", event.isRepeat}};
}

PhysicalKeyEvent JSONCoding<PhysicalKeyEvent>::decode(const Json& value) {
    coding::expectObject(value, "PhysicalKeyEvent");
    return PhysicalKeyEvent{
        coding::decodeRequired<PhysicalKey>(value, "key"),
        coding::decodeRequired<KeyPhase>(value, "phase"),
        coding::decodeRequired<std::int64_t>(value, "timeMilliseconds"),
        coding::decodeRequired<bool>(value, "isRepeat"),
    };
}

} // namespace tessaril
