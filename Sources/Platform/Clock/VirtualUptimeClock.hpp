#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

#include "Platform/Clock/UptimeClock.hpp"

namespace tessaril::platform {

// An uptime that only moves when a test moves it. Read from any thread (the tap thread reads it
// while the test thread sets it), so the value is atomic.
class VirtualUptimeClock final : public UptimeClock {
public:
    explicit VirtualUptimeClock(std::uint64_t startNanoseconds = 0) : nanoseconds_(startNanoseconds) {}

    std::uint64_t uptimeNanoseconds() const override { return nanoseconds_.load(); }

    void set(std::uint64_t nanoseconds) { nanoseconds_.store(nanoseconds); }
    void advance(std::chrono::nanoseconds duration) {
        nanoseconds_.fetch_add(static_cast<std::uint64_t>(duration.count()));
    }

private:
    std::atomic<std::uint64_t> nanoseconds_;
};

} // namespace tessaril::platform
