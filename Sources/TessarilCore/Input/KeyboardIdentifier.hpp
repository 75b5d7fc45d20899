#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "TessarilCore/Support/JSONCoding.hpp"

namespace tessaril {

// The physical keyboard a key event came from, written "keyboard-type:" and the system's type number.
struct KeyboardIdentifier {
    std::string rawValue;

    static KeyboardIdentifier keyboardType(std::int64_t type) {
        return KeyboardIdentifier{"keyboard-type:" + std::to_string(type)};
    }

    friend bool operator==(const KeyboardIdentifier&, const KeyboardIdentifier&) = default;
    friend auto operator<=>(const KeyboardIdentifier&, const KeyboardIdentifier&) = default;
};

template <> struct JSONCoding<KeyboardIdentifier> {
    static Json encode(const KeyboardIdentifier& identifier) { return identifier.rawValue; }
    static KeyboardIdentifier decode(const Json& value) {
        return KeyboardIdentifier{JSONCoding<std::string>::decode(value)};
    }
};

} // namespace tessaril

template <> struct std::hash<tessaril::KeyboardIdentifier> {
    std::size_t operator()(const tessaril::KeyboardIdentifier& identifier) const noexcept {
        return std::hash<std::string>{}(identifier.rawValue);
    }
};
