#pragma once

#include "Platform/Clock/UptimeClock.hpp"

namespace tessaril::platform {

// The running system's uptime: the steady clock, which on Linux counts from boot. Any thread.
class SteadyUptimeClock final : public UptimeClock {
public:
    std::uint64_t uptimeNanoseconds() const override;
};

} // namespace tessaril::platform
