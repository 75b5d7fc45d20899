#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "TessarilCore/Support/JSONCoding.hpp"

namespace tessaril {

// The key of a shortcut: a character, the keypad period or escape; spelled `Shortcut::Key` where used.
class ShortcutKey {
public:
    enum class Kind : std::uint8_t { character, keypadPeriod, escape };

    static ShortcutKey character(std::string text) { return ShortcutKey(Kind::character, std::move(text)); }
    static ShortcutKey keypadPeriod() { return ShortcutKey(Kind::keypadPeriod, {}); }
    static ShortcutKey escape() { return ShortcutKey(Kind::escape, {}); }

    Kind kind() const { return kind_; }
    bool isCharacter() const { return kind_ == Kind::character; }
    // The text of a character key; empty for the others.
    const std::string& characterText() const { return text_; }

    // Same case, and for characters canonically equivalent texts.
    friend bool operator==(const ShortcutKey& left, const ShortcutKey& right);
    std::size_t hashValue() const;

private:
    ShortcutKey(Kind kind, std::string text) : kind_(kind), text_(std::move(text)) {}

    Kind kind_;
    std::string text_;
};

template <> struct JSONCoding<ShortcutKey> {
    static Json encode(const ShortcutKey& key);
    static ShortcutKey decode(const Json& value);
};

} // namespace tessaril

template <> struct std::hash<tessaril::ShortcutKey> {
    std::size_t operator()(const tessaril::ShortcutKey& key) const noexcept { return key.hashValue(); }
};
