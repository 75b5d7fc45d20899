#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tessaril::platform {

// One call of `InputSourceService::selectInputSource`: which source was asked for and the status answered.
struct InputSourceSelectionRecord {
    std::optional<std::string> sourceID;
    std::optional<std::string> inputModeID;
    std::int32_t status = 0;

    friend bool operator==(const InputSourceSelectionRecord&, const InputSourceSelectionRecord&) = default;
};

} // namespace tessaril::platform
