#pragma once

#include <optional>

#include "TessarilCore/Input/Shortcut.hpp"

namespace tessaril {

// A stored trigger with its character key in base form, so that it matches the base-form shortcuts
// that key mapping produces; an absent trigger stays absent.
inline std::optional<Shortcut> baseKeyTrigger(const std::optional<Shortcut>& trigger) {
    if (!trigger) return std::nullopt;
    return trigger->normalizedToBaseKey();
}

} // namespace tessaril
