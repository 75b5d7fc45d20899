#pragma once

#include <optional>

#include "TessarilCore/Input/CommandKeySide.hpp"
#include "TessarilCore/Support/EnumCases.hpp"
#include "TessarilCore/Input/InputMode.hpp"

namespace tessaril {

// What a tap of one Command key does.
enum class CommandKeyAction { disabled, standard, eisu, kana, fullWidthRoman, katakana, halfWidthKatakana };

template <> struct EnumCases<CommandKeyAction> {
    static constexpr std::string_view typeName = "CommandKeyAction";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<CommandKeyAction, std::string_view>, 7> cases{{
        {CommandKeyAction::disabled, "disabled"},
        {CommandKeyAction::standard, "standard"},
        {CommandKeyAction::eisu, "eisu"},
        {CommandKeyAction::kana, "kana"},
        {CommandKeyAction::fullWidthRoman, "fullWidthRoman"},
        {CommandKeyAction::katakana, "katakana"},
        {CommandKeyAction::halfWidthKatakana, "halfWidthKatakana"},
    }};
};

// The mode the action selects on `side`: standard is eisu on the left and kana on the right; an explicit
// mode ignores the side; disabled selects none.
constexpr std::optional<InputMode> inputMode(CommandKeyAction action, CommandKeySide side) {
    switch (action) {
    case CommandKeyAction::disabled: return std::nullopt;
    case CommandKeyAction::standard: return side == CommandKeySide::left ? InputMode::eisu : InputMode::kana;
    case CommandKeyAction::eisu: return InputMode::eisu;
    case CommandKeyAction::kana: return InputMode::kana;
    case CommandKeyAction::fullWidthRoman: return InputMode::fullWidthRoman;
    case CommandKeyAction::katakana: return InputMode::katakana;
    case CommandKeyAction::halfWidthKatakana: return InputMode::halfWidthKatakana;
    }
    return std::nullopt;
}

constexpr bool isEnabled(CommandKeyAction action) { return action != CommandKeyAction::disabled; }

// The modes reached by selecting an input source rather than by the eisu and kana mode keys.
constexpr bool usesAdvancedInputMode(CommandKeyAction action) {
    return action == CommandKeyAction::fullWidthRoman || action == CommandKeyAction::katakana || action == CommandKeyAction::halfWidthKatakana;
}

} // namespace tessaril
