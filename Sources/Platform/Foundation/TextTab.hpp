#pragma once

#include "Platform/Foundation/TextAlignment.hpp"

namespace tessaril::platform {

// A tab stop of a paragraph: where it sits, in points from the leading margin, and how text aligns on it.
struct TextTab {
    TextAlignment alignment = TextAlignment::left;
    double location = 0;

    friend bool operator==(const TextTab&, const TextTab&) = default;
};

} // namespace tessaril::platform
