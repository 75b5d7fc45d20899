#pragma once

#include <string>
#include <string_view>

#include "Platform/Foundation/FontWeight.hpp"

namespace tessaril::platform {

// A font as the text carries it: a family (or one of the two system fonts), a size and its traits.
// The traits are the font's own, never looked up among installed fonts.
struct Font {
    static constexpr std::string_view systemFamily = ".SystemUI";
    static constexpr std::string_view monospacedSystemFamily = ".SystemMono";

    std::string family{systemFamily};
    double pointSize = 14;
    FontWeight weight = FontWeight::regular;
    bool italic = false;
    bool fixedPitch = false;

    static Font system(double pointSize, FontWeight weight = FontWeight::regular);
    // The monospaced system font, which has the fixed-pitch trait.
    static Font monospacedSystem(double pointSize, FontWeight weight = FontWeight::regular);

    bool isBold() const { return weight >= FontWeight::semibold; }

    friend bool operator==(const Font&, const Font&) = default;
};

} // namespace tessaril::platform
