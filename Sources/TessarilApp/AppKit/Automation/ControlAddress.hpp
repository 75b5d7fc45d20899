#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace tessaril::appkit {

class Control;

// How a test or a replay script names a control: only the members it gives must match. `action` is
// the selector name, `identifier` the control's identifier, `label` its accessibility label; `index`
// picks among the matches in reading order (0, the first, by default).
struct ControlAddress {
    std::optional<std::string> action = std::nullopt;
    std::optional<std::string> identifier = std::nullopt;
    std::optional<std::string> title = std::nullopt;
    std::optional<std::string> placeholder = std::nullopt;
    std::optional<std::string> label = std::nullopt;
    std::size_t index = 0;

    bool matches(const Control& control) const;

    // The JSON form {"action": …, "identifier": …, "index": 0}; throws std::invalid_argument naming
    // the first member that is unknown or of the wrong type.
    static ControlAddress fromJSON(const nlohmann::json& value);
    nlohmann::json toJSON() const;
};

} // namespace tessaril::appkit
