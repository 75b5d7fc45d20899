#pragma once

#include <optional>
#include <string>

namespace tessaril {

// An input source as the system lists it and as the user saves it for a mode.
struct MacInputSourceSelection {
    std::string sourceID;
    std::optional<std::string> inputModeID;
    std::string localizedName;

    // The label of the source in menus and tables: the name and the input mode (or the source) identifier.
    std::string menuTitle() const { return localizedName + " / " + (inputModeID ? *inputModeID : sourceID); }

    friend bool operator==(const MacInputSourceSelection&, const MacInputSourceSelection&) = default;
};

} // namespace tessaril
