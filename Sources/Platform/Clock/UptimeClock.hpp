#pragma once

#include <cstdint>

namespace tessaril::platform {

// Monotonic time since system start, the clock of key-event timestamps and of every measured
// interval (the system's DispatchTime uptime). Readable from any thread.
class UptimeClock {
public:
    virtual ~UptimeClock() = default;
    virtual std::uint64_t uptimeNanoseconds() const = 0;
};

} // namespace tessaril::platform
