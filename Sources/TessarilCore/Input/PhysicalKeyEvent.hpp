#pragma once

#include <cstdint>

#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Input/KeyPhase.hpp"
#include "TessarilCore/Input/PhysicalKey.hpp"

namespace tessaril {

// One press or release of a physical key; `timeMilliseconds` is the only clock the rule engine uses.
struct PhysicalKeyEvent {
    PhysicalKey key;
    KeyPhase phase = KeyPhase::down;
    std::int64_t timeMilliseconds = 0;
    bool isRepeat = false;

    friend bool operator==(const PhysicalKeyEvent&, const PhysicalKeyEvent&) = default;
};

template <> struct JSONCoding<PhysicalKeyEvent> {
    static Json encode(const PhysicalKeyEvent& event);
    static PhysicalKeyEvent decode(const Json& value);
};

} // namespace tessaril
