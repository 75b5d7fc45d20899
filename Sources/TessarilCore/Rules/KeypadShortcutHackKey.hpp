#pragma once

#include <string_view>

#include "TessarilCore/Support/EnumCases.hpp"
#include "TessarilCore/Input/PhysicalKey.hpp"

namespace tessaril {

// The five keypad keys that a keypad hack can turn into text.
enum class KeypadShortcutHackKey { period, slash, asterisk, hyphen, plus };

template <> struct EnumCases<KeypadShortcutHackKey> {
    static constexpr std::string_view typeName = "KeypadShortcutHackKey";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<KeypadShortcutHackKey, std::string_view>, 5> cases{{
        {KeypadShortcutHackKey::period, "period"},
        {KeypadShortcutHackKey::slash, "slash"},
        {KeypadShortcutHackKey::asterisk, "asterisk"},
        {KeypadShortcutHackKey::hyphen, "hyphen"},
        {KeypadShortcutHackKey::plus, "plus"},
    }};
};

// The keypad key the engine sees for this hack.
inline PhysicalKey physicalKey(KeypadShortcutHackKey key) {
    switch (key) {
    case KeypadShortcutHackKey::period: return PhysicalKey::keypadPeriod();
    case KeypadShortcutHackKey::slash: return PhysicalKey::keypadSlash();
    case KeypadShortcutHackKey::asterisk: return PhysicalKey::keypadAsterisk();
    case KeypadShortcutHackKey::hyphen: return PhysicalKey::keypadHyphen();
    case KeypadShortcutHackKey::plus: return PhysicalKey::keypadPlus();
    }
    return PhysicalKey::keypadPeriod();
}

// The character the key types on its own.
constexpr std::string_view originalText(KeypadShortcutHackKey key) {
    switch (key) {
    case KeypadShortcutHackKey::period: return ".";
    case KeypadShortcutHackKey::slash: return "/";
    case KeypadShortcutHackKey::asterisk: return "*";
    case KeypadShortcutHackKey::hyphen: return "-";
    case KeypadShortcutHackKey::plus: return "+";
    }
    return {};
}

// What the hack types when its rule has no text of its own.
constexpr std::string_view defaultOutputText(KeypadShortcutHackKey key) {
    switch (key) {
    case KeypadShortcutHackKey::period: return ",";
    case KeypadShortcutHackKey::slash: return "\u00A5";
    case KeypadShortcutHackKey::asterisk: return "\uFF0A";
    case KeypadShortcutHackKey::hyphen: return "\u2014";
    case KeypadShortcutHackKey::plus: return "+";
    }
    return {};
}

} // namespace tessaril
