#pragma once

namespace tessaril::appkit {

// Insets in the order the layout code writes them: top, left, bottom, right.
struct EdgeInsets {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;

    friend bool operator==(const EdgeInsets&, const EdgeInsets&) = default;
};

} // namespace tessaril::appkit
