#pragma once

#include <optional>
#include <string>

namespace tessaril::platform {

// The properties of one input source (keyboard layout or input mode) that callers read. The three
// strings may be missing on real systems, so each is optional.
struct InputSourceProperties {
    std::optional<std::string> sourceID;
    std::optional<std::string> inputModeID;
    std::optional<std::string> localizedName;
    bool isSelectCapable = true;
    bool isEnabled = true;

    friend bool operator==(const InputSourceProperties&, const InputSourceProperties&) = default;
};

} // namespace tessaril::platform
