#pragma once

namespace tessaril::platform {

// A colour in sRGB with alpha; every component runs from 0 to 1.
struct Color {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 1;

    // The system's neutral grey (light appearance), used for code backgrounds.
    static constexpr Color systemGray(double alpha = 1) { return {142.0 / 255.0, 142.0 / 255.0, 147.0 / 255.0, alpha}; }

    friend bool operator==(const Color&, const Color&) = default;
};

} // namespace tessaril::platform
