#pragma once

#include <cstddef>

namespace tessaril::platform {

// A span of a text in UTF-16 units, as the text system counts positions.
struct TextRange {
    std::size_t location = 0;
    std::size_t length = 0;

    constexpr std::size_t end() const { return location + length; }

    friend bool operator==(const TextRange&, const TextRange&) = default;
};

} // namespace tessaril::platform
