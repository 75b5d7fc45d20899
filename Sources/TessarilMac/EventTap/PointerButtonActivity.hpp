#pragma once

#include "Platform/Quartz/EventSystem.hpp"

namespace tessaril {

// Asks the session whether a pointer button went down lately; the pipeline watches no pointer events
// itself. Any thread.
struct PointerButtonActivity {
    // True when a left, right or other button went down less than `seconds` ago, asked in that order.
    static bool buttonWentDown(const platform::EventSystem& events, double withinSeconds);
};

} // namespace tessaril
