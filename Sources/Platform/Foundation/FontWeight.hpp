#pragma once

namespace tessaril::platform {

// The weights a font can have, lightest first; semibold and heavier count as bold.
enum class FontWeight { ultraLight, thin, light, regular, medium, semibold, bold, heavy, black };

} // namespace tessaril::platform
