#pragma once

#include <string>
#include <string_view>

#include "Platform/Foundation/FontWeight.hpp"
#include "Platform/Foundation/SharedString.hpp"

namespace tessaril::platform {

// A font as the text carries it: a family (or one of the two system fonts), a size and its traits.
// The traits are the font's own, never looked up among installed fonts.
struct Font {
    static constexpr std::string_view systemFamily = ".SystemUI";
    static constexpr std::string_view monospacedSystemFamily = ".SystemMono";

    // Shared between the runs that carry it, however long the name.
    SharedString family = systemFamilyName();
    double pointSize = 14;
    FontWeight weight = FontWeight::regular;
    bool italic = false;
    bool fixedPitch = false;

    // The system family as one shared value, so that a default font allocates nothing.
    static const SharedString& systemFamilyName();
    static Font system(double pointSize, FontWeight weight = FontWeight::regular);
    // The monospaced system font, which has the fixed-pitch trait.
    static Font monospacedSystem(double pointSize, FontWeight weight = FontWeight::regular);

    bool isBold() const { return weight >= FontWeight::semibold; }

    friend bool operator==(const Font&, const Font&) = default;
};

} // namespace tessaril::platform
