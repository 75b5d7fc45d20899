#pragma once

#include <optional>
#include <string>

#include "TessarilCore/Settings/KeyboardPreset.hpp"

namespace tessaril {

// What one scope check box stands for: the rule key ("keypad:slash", "pair:<id>", …) and its
// preset, or none for "ALL".
struct PresetScopeSelection {
    std::string key;
    std::optional<KeyboardPreset> preset;

    friend bool operator==(const PresetScopeSelection&, const PresetScopeSelection&) = default;
};

} // namespace tessaril
