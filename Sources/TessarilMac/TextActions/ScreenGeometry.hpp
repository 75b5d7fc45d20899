#pragma once

#include <optional>
#include <vector>

namespace tessaril {

// Screen geometry in the system's global coordinates: points, origin at the bottom left of the main
// screen, y growing upwards. The application converts to its toolkit's coordinates once, at the edge.

struct ScreenPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

struct ScreenSize {
    double width = 0;
    double height = 0;
    friend bool operator==(const ScreenSize&, const ScreenSize&) = default;
};

struct ScreenRect {
    ScreenPoint origin;
    ScreenSize size;

    double minX() const { return origin.x; }
    double minY() const { return origin.y; }
    double maxX() const { return origin.x + size.width; }
    double maxY() const { return origin.y + size.height; }
    double midX() const { return origin.x + size.width / 2; }
    // The lower and left edges belong to the rectangle, the upper and right ones do not.
    bool contains(ScreenPoint point) const {
        return point.x >= minX() && point.x < maxX() && point.y >= minY() && point.y < maxY();
    }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// One display: its whole frame and the part not covered by the menu bar and the Dock.
struct Screen {
    ScreenRect frame;
    ScreenRect visibleFrame;
    friend bool operator==(const Screen&, const Screen&) = default;
};

// What placement needs to know of the displays at one moment.
struct ScreenLayout {
    std::vector<Screen> screens;      // in the system's order
    std::optional<Screen> mainScreen; // the screen with the key window, if any
    ScreenPoint pointerLocation;
};

} // namespace tessaril
