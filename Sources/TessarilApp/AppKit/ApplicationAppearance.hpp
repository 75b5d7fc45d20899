#pragma once

#include <QPalette>

#include "TessarilApp/AppKit/Appearance.hpp"

namespace tessaril::appkit {

// Fusion style, the palette of the given appearance and the window font, so that every machine
// renders the window alike. Safe to call again; the first call sets the style.
void installApplicationAppearance();

// The palette the system-drawn parts use in an appearance.
QPalette systemPalette(Appearance appearance);

} // namespace tessaril::appkit
