#include "TessarilCore/Input/ShortcutKey.hpp"

#include <array>

#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {
namespace {
constexpr std::array<std::string_view, 3> caseNames{"character", "keypadPeriod", "escape"};
} // namespace

bool operator==(const ShortcutKey& left, const ShortcutKey& right) {
    if (left.kind_ != right.kind_) return false;
    return left.kind_ != ShortcutKey::Kind::character || unicode::canonicallyEqual(left.text_, right.text_);
}

std::size_t ShortcutKey::hashValue() const {
    std::size_t seed = static_cast<std::size_t>(kind_) * 0x9E3779B97F4A7C15ULL;
    if (kind_ == Kind::character) seed ^= unicode::canonicalHash(text_) + 0x9E3779B9 + (seed << 6) + (seed >> 2);
    return seed;
}

Json JSONCoding<ShortcutKey>::encode(const ShortcutKey& key) {
    auto name = caseNames[static_cast<std::size_t>(key.kind())];
    if (key.isCharacter()) return coding::caseObject(name, key.characterText());
    return coding::caseObject(name);
}

ShortcutKey JSONCoding<ShortcutKey>::decode(const Json& value) {
    auto found = coding::decodeCaseObject(value, caseNames, "Key");
    switch (static_cast<ShortcutKey::Kind>(found.caseIndex)) {
    case ShortcutKey::Kind::character:
        return coding::atKey("character", [&] {
            return ShortcutKey::character(coding::decodePayload<std::string>(*found.value));
        });
    case ShortcutKey::Kind::keypadPeriod: return ShortcutKey::keypadPeriod();
    case ShortcutKey::Kind::escape: return ShortcutKey::escape();
    }
    return ShortcutKey::escape();
}

} // namespace tessaril
