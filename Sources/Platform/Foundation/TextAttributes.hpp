#pragma once

#include <optional>
#include <string>

#include "Platform/Foundation/Color.hpp"
#include "Platform/Foundation/Font.hpp"
#include "Platform/Foundation/SharedParagraphStyle.hpp"
#include "Platform/Foundation/SharedString.hpp"

namespace tessaril::platform {

// The attributes one character can carry; an absent member is an attribute the character does not have.
struct TextAttributes {
    // Names one member, for removing it.
    enum class Key { font, foregroundColor, backgroundColor, paragraphStyle, underlineStyle, strikethroughStyle, link };

    std::optional<Font> font;
    std::optional<Color> foregroundColor;
    std::optional<Color> backgroundColor;
    // Shared by the runs that carry it, however many tab stops and lists it holds.
    SharedParagraphStyle paragraphStyle;
    // Line styles as the text system numbers them: 1 single, 2 thick, 9 double, plus the pattern
    // (0x100 dot, 0x200 dash, 0x300 dash-dot, 0x400 dash-dot-dot) and 0x8000 for words only.
    std::optional<int> underlineStyle;
    std::optional<int> strikethroughStyle;
    // The link's textual form (a URL as written), shared by the runs that carry it.
    std::optional<SharedString> link;

    bool empty() const { return *this == TextAttributes{}; }
    // Takes every member that `other` has, keeping the rest.
    void add(const TextAttributes& other);
    void remove(Key key);

    friend bool operator==(const TextAttributes&, const TextAttributes&) = default;
};

} // namespace tessaril::platform
