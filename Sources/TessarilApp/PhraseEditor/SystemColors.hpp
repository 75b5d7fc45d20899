#pragma once

#include "Platform/Foundation/Color.hpp"

namespace tessaril {

// The system's accent blue, fixed at its light-appearance value (#007AFF) so that a link written in
// the dark appearance is stored with the same colour as one written in the light appearance.
inline constexpr platform::Color systemBlue{0.0, 122.0 / 255.0, 1.0, 1.0};

} // namespace tessaril
