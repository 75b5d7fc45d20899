#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tessaril::appkit {

// A key or mouse event as local event monitors see it. Key codes are the platform's virtual key
// codes (the ANSI layout's: 12 is Q, 53 Escape, 65 the keypad period); modifier flags use the
// platform's bits.
struct Event {
    enum class Type { leftMouseDown, rightMouseDown, otherMouseDown, keyDown, flagsChanged };

    // Modifier flag bits.
    static constexpr std::uint64_t shiftFlag = std::uint64_t{1} << 17;
    static constexpr std::uint64_t controlFlag = std::uint64_t{1} << 18;
    static constexpr std::uint64_t optionFlag = std::uint64_t{1} << 19;
    static constexpr std::uint64_t commandFlag = std::uint64_t{1} << 20;

    // Event mask bits for adding a monitor.
    static constexpr std::uint64_t leftMouseDownMask = std::uint64_t{1} << 1;
    static constexpr std::uint64_t rightMouseDownMask = std::uint64_t{1} << 3;
    static constexpr std::uint64_t keyDownMask = std::uint64_t{1} << 10;
    static constexpr std::uint64_t flagsChangedMask = std::uint64_t{1} << 12;
    static constexpr std::uint64_t otherMouseDownMask = std::uint64_t{1} << 25;

    Type type = Type::keyDown;
    std::uint16_t keyCode = 0;
    std::uint64_t modifierFlags = 0;
    // The characters the key types without modifiers; none for mouse events.
    std::optional<std::string> charactersIgnoringModifiers;

    std::uint64_t mask() const;

    static Event keyDown(std::uint16_t keyCode, std::uint64_t modifierFlags, std::optional<std::string> characters) {
        return Event{Type::keyDown, keyCode, modifierFlags, std::move(characters)};
    }
    static Event mouseDown(Type type = Type::leftMouseDown) { return Event{type, 0, 0, std::nullopt}; }
};

inline std::uint64_t Event::mask() const {
    switch (type) {
    case Type::leftMouseDown: return leftMouseDownMask;
    case Type::rightMouseDown: return rightMouseDownMask;
    case Type::otherMouseDown: return otherMouseDownMask;
    case Type::keyDown: return keyDownMask;
    case Type::flagsChanged: return flagsChangedMask;
    }
    return 0;
}

} // namespace tessaril::appkit
