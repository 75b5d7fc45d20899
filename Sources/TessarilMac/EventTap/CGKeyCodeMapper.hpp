#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "Platform/Quartz/Event.hpp"
#include "Platform/Quartz/EventType.hpp"
#include "TessarilCore/Input/KeyboardIdentifier.hpp"
#include "TessarilCore/Input/PhysicalKey.hpp"
#include "TessarilCore/Input/PhysicalKeyEvent.hpp"
#include "TessarilCore/Input/Shortcut.hpp"
#include "TessarilCore/Engine/ShortcutAttempt.hpp"
#include "TessarilMac/EventTap/KeyboardInputEvent.hpp"

namespace tessaril {

// The 47 ANSI key codes to their unshifted US-layout characters; built once, read-only afterwards.
const std::unordered_map<std::uint16_t, std::string>& characterByKeyCode();
// Every character of `characterByKeyCode` as a character key, plus 65 as the keypad period.
const std::unordered_map<std::uint16_t, Shortcut::Key>& shortcutKeyByKeyCode();

// Turns tapped Quartz events into the pipeline's events and the rule engine's inputs. Stateless and
// pure apart from the two tables, so it runs on the event-tap thread without locks.
struct CGKeyCodeMapper {
    // None for event types other than key down, key up and flags changed, and for a key-code field
    // outside 0…65535 (no real key; taking it modulo 65536 would alias one).
    std::optional<KeyboardInputEvent> inputEvent(const platform::Event& event, platform::EventType type) const;
    KeyboardIdentifier keyboardIdentifier(const platform::Event& event) const;
    std::optional<PhysicalKey> physicalKey(std::uint16_t keyCode) const;
    std::optional<PhysicalKeyEvent> physicalKeyEvent(const KeyboardInputEvent& event, bool modifierWasDown,
                                                     bool sameModifierFamilyHasAnotherHeldKey) const;
    std::optional<PhysicalKeyEvent> physicalKeyEvent(const platform::Event& event, platform::EventType type,
                                                     bool modifierWasDown,
                                                     bool sameModifierFamilyHasAnotherHeldKey) const;
    std::optional<ShortcutAttempt> shortcutAttempt(const KeyboardInputEvent& event) const;
    std::optional<ShortcutAttempt> shortcutAttempt(const platform::Event& event, platform::EventType type) const;
};

} // namespace tessaril
