#include "Platform/Clock/SteadyUptimeClock.hpp"

#include <chrono>

namespace tessaril::platform {

std::uint64_t SteadyUptimeClock::uptimeNanoseconds() const {
    auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(sinceStart).count());
}

} // namespace tessaril::platform
