#pragma once

#include <cstdint>

namespace tessaril::platform {

// A handle to one installed input source of an `InputSourceService`; its properties are read through
// the service, so they are always current.
struct InputSourceRef {
    std::uint64_t identity = 0;

    friend bool operator==(const InputSourceRef&, const InputSourceRef&) = default;
};

} // namespace tessaril::platform
