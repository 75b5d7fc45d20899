#pragma once

#include "TessarilCore/Rules/CharacterCountHUDPosition.hpp"
#include "TessarilMac/TextActions/ScreenGeometry.hpp"

namespace tessaril {

// The bottom-left corner of the character-count panel: below and right of the pointer (above it when
// there is no room below), kept 8 points inside that screen's visible frame, or centred 72 points
// under the top of the main screen. Without a usable screen, 1280 × 800 at the origin stands in.
ScreenPoint characterCountHUDOrigin(ScreenSize panelSize, CharacterCountHUDPosition position,
                                    const ScreenLayout& layout);

} // namespace tessaril
