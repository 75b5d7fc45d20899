#pragma once

#include <optional>

#include "TessarilCore/Input/InputMode.hpp"
#include "TessarilMac/InputMode/MacInputSourceSelection.hpp"

namespace tessaril {

// The sources chosen for the two modes that have mode keys.
struct MacInputSourceConfiguration {
    MacInputSourceSelection eisu;
    MacInputSourceSelection kana;

    std::optional<MacInputSourceSelection> selection(InputMode mode) const {
        if (mode == InputMode::eisu) return eisu;
        if (mode == InputMode::kana) return kana;
        return std::nullopt;
    }

    friend bool operator==(const MacInputSourceConfiguration&, const MacInputSourceConfiguration&) = default;
};

} // namespace tessaril
