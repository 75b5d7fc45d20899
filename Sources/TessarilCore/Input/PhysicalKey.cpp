#include "TessarilCore/Input/PhysicalKey.hpp"

#include <array>

#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {
namespace {

constexpr std::array<std::string_view, 11> caseNames{
    "command",      "shift",       "option",         "control",      "character",  "keypadPeriod",
    "keypadSlash",  "keypadAsterisk", "keypadHyphen", "keypadPlus",  "keypadEqual",
};

} // namespace

std::optional<CommandKeySide> PhysicalKey::commandSide() const { return sideIf<CommandKeySide>(Kind::command); }
std::optional<ShiftKeySide> PhysicalKey::shiftSide() const { return sideIf<ShiftKeySide>(Kind::shift); }
std::optional<ModifierKeySide> PhysicalKey::optionSide() const { return sideIf<ModifierKeySide>(Kind::option); }
std::optional<ModifierKeySide> PhysicalKey::controlSide() const { return sideIf<ModifierKeySide>(Kind::control); }

bool operator==(const PhysicalKey& left, const PhysicalKey& right) {
    if (left.kind_ != right.kind_ || left.side_ != right.side_) return false;
    if (left.kind_ != PhysicalKey::Kind::character) return true;
    return unicode::canonicallyEqual(left.text_, right.text_);
}

std::size_t PhysicalKey::hashValue() const {
    std::size_t seed = static_cast<std::size_t>(kind_) * 0x9E3779B97F4A7C15ULL + side_;
    if (kind_ == Kind::character) seed ^= unicode::canonicalHash(text_) + 0x9E3779B9 + (seed << 6) + (seed >> 2);
    return seed;
}

Json JSONCoding<PhysicalKey>::encode(const PhysicalKey& key) {
    auto name = caseNames[static_cast<std::size_t>(key.kind())];
    switch (key.kind()) {
    case PhysicalKey::Kind::command: return coding::caseObject(name, coding::encode(*key.commandSide()));
    case PhysicalKey::Kind::shift: return coding::caseObject(name, coding::encode(*key.shiftSide()));
    case PhysicalKey::Kind::option: return coding::caseObject(name, coding::encode(*key.optionSide()));
    case PhysicalKey::Kind::control: return coding::caseObject(name, coding::encode(*key.controlSide()));
    case PhysicalKey::Kind::character: return coding::caseObject(name, key.characterText());
    default: return coding::caseObject(name);
    }
}

PhysicalKey JSONCoding<PhysicalKey>::decode(const Json& value) {
    auto found = coding::decodeCaseObject(value, caseNames, "PhysicalKey");
    const Json& payload = *found.value;
    return coding::atKey(caseNames[found.caseIndex], [&] {
        switch (static_cast<PhysicalKey::Kind>(found.caseIndex)) {
        case PhysicalKey::Kind::command: return PhysicalKey::command(coding::decodePayload<CommandKeySide>(payload));
        case PhysicalKey::Kind::shift: return PhysicalKey::shift(coding::decodePayload<ShiftKeySide>(payload));
        case PhysicalKey::Kind::option: return PhysicalKey::option(coding::decodePayload<ModifierKeySide>(payload));
        case PhysicalKey::Kind::control: return PhysicalKey::control(coding::decodePayload<ModifierKeySide>(payload));
        case PhysicalKey::Kind::character: return PhysicalKey::character(coding::decodePayload<std::string>(payload));
        case PhysicalKey::Kind::keypadPeriod: return PhysicalKey::keypadPeriod();
        case PhysicalKey::Kind::keypadSlash: return PhysicalKey::keypadSlash();
        case PhysicalKey::Kind::keypadAsterisk: return PhysicalKey::keypadAsterisk();
        case PhysicalKey::Kind::keypadHyphen: return PhysicalKey::keypadHyphen();
        case PhysicalKey::Kind::keypadPlus: return PhysicalKey::keypadPlus();
        case PhysicalKey::Kind::keypadEqual: return PhysicalKey::keypadEqual();
        }
        return PhysicalKey::keypadEqual();
    });
}

} // namespace tessaril
