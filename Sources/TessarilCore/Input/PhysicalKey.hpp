#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "TessarilCore/Input/CommandKeySide.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Input/ModifierKeySide.hpp"
#include "TessarilCore/Input/ShiftKeySide.hpp"

namespace tessaril {

// A key the rule engine tracks: a modifier key with its side, a character key identified by the text
// the key map gives it, or one of six keypad keys.
class PhysicalKey {
public:
    enum class Kind : std::uint8_t {
        command,
        shift,
        option,
        control,
        character,
        keypadPeriod,
        keypadSlash,
        keypadAsterisk,
        keypadHyphen,
        keypadPlus,
        keypadEqual,
    };

    static PhysicalKey command(CommandKeySide side) { return PhysicalKey(Kind::command, sideIndex(side)); }
    static PhysicalKey shift(ShiftKeySide side) { return PhysicalKey(Kind::shift, sideIndex(side)); }
    static PhysicalKey option(ModifierKeySide side) { return PhysicalKey(Kind::option, sideIndex(side)); }
    static PhysicalKey control(ModifierKeySide side) { return PhysicalKey(Kind::control, sideIndex(side)); }
    static PhysicalKey character(std::string text) { return PhysicalKey(std::move(text)); }
    static PhysicalKey keypadPeriod() { return PhysicalKey(Kind::keypadPeriod, 0); }
    static PhysicalKey keypadSlash() { return PhysicalKey(Kind::keypadSlash, 0); }
    static PhysicalKey keypadAsterisk() { return PhysicalKey(Kind::keypadAsterisk, 0); }
    static PhysicalKey keypadHyphen() { return PhysicalKey(Kind::keypadHyphen, 0); }
    static PhysicalKey keypadPlus() { return PhysicalKey(Kind::keypadPlus, 0); }
    static PhysicalKey keypadEqual() { return PhysicalKey(Kind::keypadEqual, 0); }

    Kind kind() const { return kind_; }
    bool isModifier() const { return kind_ <= Kind::control; }
    bool isKeypad() const { return kind_ >= Kind::keypadPeriod; }

    // The payloads; none when the key is of another kind.
    std::optional<CommandKeySide> commandSide() const;
    std::optional<ShiftKeySide> shiftSide() const;
    std::optional<ModifierKeySide> optionSide() const;
    std::optional<ModifierKeySide> controlSide() const;
    // The text of a character key; empty for other kinds.
    const std::string& characterText() const { return text_; }

    // Same kind and equal payloads; character texts compare by canonical equivalence.
    friend bool operator==(const PhysicalKey& left, const PhysicalKey& right);

    std::size_t hashValue() const;

private:
    PhysicalKey(Kind kind, std::uint8_t side) : kind_(kind), side_(side) {}
    explicit PhysicalKey(std::string text) : kind_(Kind::character), text_(std::move(text)) {}
    template <class Side> static std::uint8_t sideIndex(Side side) { return static_cast<std::uint8_t>(caseIndex(side)); }
    template <class Side> std::optional<Side> sideIf(Kind kind) const {
        if (kind_ != kind) return std::nullopt;
        return side_ == 0 ? Side::left : Side::right;
    }

    Kind kind_;
    std::uint8_t side_ = 0;
    std::string text_;
};

template <> struct JSONCoding<PhysicalKey> {
    static Json encode(const PhysicalKey& key);
    static PhysicalKey decode(const Json& value);
};

} // namespace tessaril

template <> struct std::hash<tessaril::PhysicalKey> {
    std::size_t operator()(const tessaril::PhysicalKey& key) const noexcept { return key.hashValue(); }
};
