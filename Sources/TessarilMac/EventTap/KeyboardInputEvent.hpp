#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

#include "TessarilCore/Input/KeyboardIdentifier.hpp"

namespace tessaril {

// One tapped keyboard event in platform-neutral form, as the event tap hands it to the controller.
// A plain value, made and read on the event-tap thread.
struct KeyboardInputEvent {
    enum class Kind : std::uint8_t { keyDown, keyUp, modifierFlagsChanged };

    // The modifier flags of the event that the pipeline cares about, an option set over 8 bits.
    struct Modifiers {
        std::uint8_t rawValue = 0;

        constexpr Modifiers() = default;
        constexpr explicit Modifiers(std::uint8_t raw) : rawValue(raw) {}
        constexpr Modifiers(std::initializer_list<Modifiers> members) {
            for (Modifiers member : members) rawValue = static_cast<std::uint8_t>(rawValue | member.rawValue);
        }

        static constexpr Modifiers command() { return Modifiers(std::uint8_t{1}); }
        static constexpr Modifiers shift() { return Modifiers(std::uint8_t{2}); }
        static constexpr Modifiers option() { return Modifiers(std::uint8_t{4}); }
        static constexpr Modifiers control() { return Modifiers(std::uint8_t{8}); }

        constexpr Modifiers unionWith(Modifiers other) const {
            return Modifiers(static_cast<std::uint8_t>(rawValue | other.rawValue));
        }
        constexpr Modifiers intersection(Modifiers other) const {
            return Modifiers(static_cast<std::uint8_t>(rawValue & other.rawValue));
        }
        constexpr Modifiers symmetricDifference(Modifiers other) const {
            return Modifiers(static_cast<std::uint8_t>(rawValue ^ other.rawValue));
        }
        constexpr void insert(Modifiers member) { rawValue = unionWith(member).rawValue; }
        constexpr void remove(Modifiers member) { rawValue = static_cast<std::uint8_t>(rawValue & ~member.rawValue); }
        constexpr bool contains(Modifiers member) const { return (rawValue & member.rawValue) == member.rawValue; }
        constexpr bool isSubset(Modifiers other) const { return (rawValue & ~other.rawValue) == 0; }
        constexpr bool isDisjoint(Modifiers other) const { return (rawValue & other.rawValue) == 0; }
        constexpr bool isEmpty() const { return rawValue == 0; }

        friend constexpr bool operator==(Modifiers, Modifiers) = default;
    };

    Kind kind = Kind::keyDown;
    std::uint16_t keyCode = 0;
    Modifiers modifiers;
    std::int64_t timeMilliseconds = 0;
    bool isRepeat = false;
    KeyboardIdentifier keyboardIdentifier;
    bool isSynthetic = false;
    // Carried for tracing only; nothing reads it but equality.
    std::optional<std::string> tracePhysicalDeviceIdentifier;

    friend bool operator==(const KeyboardInputEvent&, const KeyboardInputEvent&) = default;
};

} // namespace tessaril
