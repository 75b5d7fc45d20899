#pragma once

#include <optional>
#include <string>

namespace tessaril::platform {

// Narrows a source listing: each property given must equal the source's.
struct InputSourceFilter {
    std::optional<std::string> sourceID;
    std::optional<std::string> inputModeID;

    friend bool operator==(const InputSourceFilter&, const InputSourceFilter&) = default;
};

} // namespace tessaril::platform
