#include "TessarilMac/EventTap/CGKeyCodeMapper.hpp"

#include <array>
#include <utility>

#include "Platform/Quartz/EventFlags.hpp"
#include "TessarilMac/EventTap/TessarilSyntheticEvent.hpp"

namespace tessaril {

namespace {

using platform::EventField;
using platform::EventType;
using Modifiers = KeyboardInputEvent::Modifiers;

constexpr std::array<std::pair<std::uint16_t, const char*>, 47> ansiCharacters{{
    {0, "a"},   {1, "s"},  {2, "d"},  {3, "f"},  {4, "h"},   {5, "g"},  {6, "z"},  {7, "x"},  {8, "c"},  {9, "v"},
    {11, "b"},  {12, "q"}, {13, "w"}, {14, "e"}, {15, "r"},  {16, "y"}, {17, "t"}, {18, "1"}, {19, "2"}, {20, "3"},
    {21, "4"},  {22, "6"}, {23, "5"}, {24, "="}, {25, "9"},  {26, "7"}, {27, "-"}, {28, "8"}, {29, "0"}, {30, "]"},
    {31, "o"},  {32, "u"}, {33, "["}, {34, "i"}, {35, "p"},  {37, "l"}, {38, "j"}, {39, "'"}, {40, "k"}, {41, ";"},
    {42, "\\"}, {43, ","}, {44, "/"}, {45, "n"}, {46, "m"},  {47, "."}, {50, "`"},
}};

constexpr std::uint16_t keypadPeriodKeyCode = 65;

// The flag bit of each modifier the pipeline tracks.
constexpr std::array<std::pair<platform::EventFlags, Modifiers>, 4> modifierFlags{{
    {platform::event_flags::maskCommand, Modifiers::command()},
    {platform::event_flags::maskShift, Modifiers::shift()},
    {platform::event_flags::maskAlternate, Modifiers::option()},
    {platform::event_flags::maskControl, Modifiers::control()},
}};

Modifiers modifiersFromFlags(platform::EventFlags flags) {
    Modifiers result;
    for (const auto& [flag, modifier] : modifierFlags) {
        if ((flags & flag) != 0) result.insert(modifier);
    }
    return result;
}

// The family bit (command 1, shift 2, option 4, control 8) of a modifier key; none for other keys.
std::optional<Modifiers> familyOf(const PhysicalKey& key) {
    switch (key.kind()) {
    case PhysicalKey::Kind::command: return Modifiers::command();
    case PhysicalKey::Kind::shift: return Modifiers::shift();
    case PhysicalKey::Kind::option: return Modifiers::option();
    case PhysicalKey::Kind::control: return Modifiers::control();
    default: return std::nullopt;
    }
}

ShortcutModifierSet shortcutModifiers(Modifiers modifiers) {
    ShortcutModifierSet result;
    if (modifiers.contains(Modifiers::command())) result.insert(Shortcut::Modifier::command);
    if (modifiers.contains(Modifiers::shift())) result.insert(Shortcut::Modifier::shift);
    if (modifiers.contains(Modifiers::option())) result.insert(Shortcut::Modifier::option);
    if (modifiers.contains(Modifiers::control())) result.insert(Shortcut::Modifier::control);
    return result;
}

} // namespace

const std::unordered_map<std::uint16_t, std::string>& characterByKeyCode() {
    static const auto table = [] {
        std::unordered_map<std::uint16_t, std::string> result;
        for (const auto& [code, character] : ansiCharacters) result.emplace(code, character);
        return result;
    }();
    return table;
}

const std::unordered_map<std::uint16_t, Shortcut::Key>& shortcutKeyByKeyCode() {
    static const auto table = [] {
        std::unordered_map<std::uint16_t, Shortcut::Key> result;
        for (const auto& [code, character] : characterByKeyCode()) result.emplace(code, Shortcut::Key::character(character));
        result.emplace(keypadPeriodKeyCode, Shortcut::Key::keypadPeriod());
        return result;
    }();
    return table;
}

std::optional<KeyboardInputEvent> CGKeyCodeMapper::inputEvent(const platform::Event& event,
                                                              platform::EventType type) const {
    if (type != EventType::keyDown && type != EventType::keyUp && type != EventType::flagsChanged) return std::nullopt;
    std::int64_t keyCode = event.integerValueField(EventField::keyboardEventKeycode);
    if (keyCode < 0 || keyCode > 0xFFFF) return std::nullopt;
    KeyboardIdentifier identifier = keyboardIdentifier(event);
    std::optional<std::string> trace = identifier.rawValue;
    return KeyboardInputEvent{
        static_cast<KeyboardInputEvent::Kind>(static_cast<std::uint32_t>(type) - static_cast<std::uint32_t>(EventType::keyDown)),
        static_cast<std::uint16_t>(keyCode),
        modifiersFromFlags(event.flags()),
        static_cast<std::int64_t>(event.timestamp() / 1'000'000),
        event.integerValueField(EventField::keyboardEventAutorepeat) != 0,
        std::move(identifier),
        TessarilSyntheticEvent::isMarked(event),
        std::move(trace),
    };
}

KeyboardIdentifier CGKeyCodeMapper::keyboardIdentifier(const platform::Event& event) const {
    return KeyboardIdentifier::keyboardType(event.integerValueField(EventField::keyboardEventKeyboardType));
}

std::optional<PhysicalKey> CGKeyCodeMapper::physicalKey(std::uint16_t keyCode) const {
    switch (keyCode) {
    case 54: return PhysicalKey::command(CommandKeySide::right);
    case 55: return PhysicalKey::command(CommandKeySide::left);
    case 56: return PhysicalKey::shift(ShiftKeySide::left);
    case 58: return PhysicalKey::option(ModifierKeySide::left);
    case 59: return PhysicalKey::control(ModifierKeySide::left);
    case 60: return PhysicalKey::shift(ShiftKeySide::right);
    case 61: return PhysicalKey::option(ModifierKeySide::right);
    case 62: return PhysicalKey::control(ModifierKeySide::right);
    case 65: return PhysicalKey::keypadPeriod();
    case 67: return PhysicalKey::keypadAsterisk();
    case 69: return PhysicalKey::keypadPlus();
    case 75: return PhysicalKey::keypadSlash();
    case 78: return PhysicalKey::keypadHyphen();
    case 81: return PhysicalKey::keypadEqual();
    default: break;
    }
    const auto& characters = characterByKeyCode();
    auto found = characters.find(keyCode);
    if (found == characters.end()) return std::nullopt;
    return PhysicalKey::character(found->second);
}

std::optional<PhysicalKeyEvent> CGKeyCodeMapper::physicalKeyEvent(const KeyboardInputEvent& event, bool modifierWasDown,
                                                                  bool sameModifierFamilyHasAnotherHeldKey) const {
    auto key = physicalKey(event.keyCode);
    if (!key) return std::nullopt;
    KeyPhase phase = KeyPhase::up;
    switch (event.kind) {
    case KeyboardInputEvent::Kind::keyDown: phase = KeyPhase::down; break;
    case KeyboardInputEvent::Kind::keyUp: phase = KeyPhase::up; break;
    case KeyboardInputEvent::Kind::modifierFlagsChanged: {
        // A held key whose family bit stays set because its twin is also held has been released.
        auto family = familyOf(*key);
        bool familyFlagSet = family && event.modifiers.contains(*family);
        bool releasedWhileTwinHeld = modifierWasDown && sameModifierFamilyHasAnotherHeldKey;
        phase = familyFlagSet && !releasedWhileTwinHeld ? KeyPhase::down : KeyPhase::up;
        break;
    }
    }
    return PhysicalKeyEvent{std::move(*key), phase, event.timeMilliseconds, event.isRepeat};
}

std::optional<PhysicalKeyEvent> CGKeyCodeMapper::physicalKeyEvent(const platform::Event& event,
                                                                  platform::EventType type, bool modifierWasDown,
                                                                  bool sameModifierFamilyHasAnotherHeldKey) const {
    auto input = inputEvent(event, type);
    if (!input) return std::nullopt;
    return physicalKeyEvent(*input, modifierWasDown, sameModifierFamilyHasAnotherHeldKey);
}

std::optional<ShortcutAttempt> CGKeyCodeMapper::shortcutAttempt(const KeyboardInputEvent& event) const {
    if (event.kind != KeyboardInputEvent::Kind::keyDown) return std::nullopt;
    const auto& keys = shortcutKeyByKeyCode();
    auto found = keys.find(event.keyCode);
    if (found == keys.end()) return std::nullopt;
    ShortcutModifierSet modifiers = shortcutModifiers(event.modifiers);
    if (modifiers.empty()) return std::nullopt;
    return ShortcutAttempt{Shortcut{modifiers, found->second}, event.timeMilliseconds, event.isRepeat};
}

std::optional<ShortcutAttempt> CGKeyCodeMapper::shortcutAttempt(const platform::Event& event,
                                                                platform::EventType type) const {
    auto input = inputEvent(event, type);
    if (!input) return std::nullopt;
    return shortcutAttempt(*input);
}

} // namespace tessaril
