#include "TessarilMac/TextActions/CharacterCountHUDOrigin.hpp"

#include <algorithm>

namespace tessaril {
namespace {

constexpr ScreenRect fallbackFrame{{0, 0}, {1280, 800}};
constexpr double pointerOffset = 18;
constexpr double edgeMargin = 8;
constexpr double fixedTopMargin = 72;

ScreenRect mainVisibleFrame(const ScreenLayout& layout) {
    return layout.mainScreen ? layout.mainScreen->visibleFrame : fallbackFrame;
}

ScreenRect pointerVisibleFrame(const ScreenLayout& layout) {
    for (const Screen& screen : layout.screens) {
        if (screen.frame.contains(layout.pointerLocation)) return screen.visibleFrame;
    }
    return mainVisibleFrame(layout);
}

} // namespace

ScreenPoint characterCountHUDOrigin(ScreenSize panelSize, CharacterCountHUDPosition position,
                                    const ScreenLayout& layout) {
    const double width = panelSize.width;
    const double height = panelSize.height;
    if (position == CharacterCountHUDPosition::fixed) {
        ScreenRect frame = mainVisibleFrame(layout);
        return {frame.midX() - width / 2, frame.maxY() - height - fixedTopMargin};
    }
    ScreenRect frame = pointerVisibleFrame(layout);
    ScreenPoint pointer = layout.pointerLocation;
    double x = pointer.x + pointerOffset;
    double y = pointer.y - height - pointerOffset;
    if (y < frame.minY() + edgeMargin) y = pointer.y + pointerOffset;
    x = std::min(std::max(x, frame.minX() + edgeMargin), frame.maxX() - width - edgeMargin);
    y = std::min(std::max(y, frame.minY() + edgeMargin), frame.maxY() - height - edgeMargin);
    return {x, y};
}

} // namespace tessaril
