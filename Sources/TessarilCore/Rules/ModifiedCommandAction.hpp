#pragma once

#include <optional>

#include "TessarilCore/Input/CommandKeySide.hpp"
#include "TessarilCore/Support/EnumCases.hpp"
#include "TessarilCore/Input/InputMode.hpp"

namespace tessaril {

// What one Command key does together with that side's companion modifier.
enum class ModifiedCommandAction { disabled, standard, eisu, kana, fullWidthRoman, katakana, halfWidthKatakana };

template <> struct EnumCases<ModifiedCommandAction> {
    static constexpr std::string_view typeName = "ModifiedCommandAction";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<ModifiedCommandAction, std::string_view>, 7> cases{{
        {ModifiedCommandAction::disabled, "disabled"},
        {ModifiedCommandAction::standard, "standard"},
        {ModifiedCommandAction::eisu, "eisu"},
        {ModifiedCommandAction::kana, "kana"},
        {ModifiedCommandAction::fullWidthRoman, "fullWidthRoman"},
        {ModifiedCommandAction::katakana, "katakana"},
        {ModifiedCommandAction::halfWidthKatakana, "halfWidthKatakana"},
    }};
};

// The mode the action selects on `side`: standard is kana on the left and eisu on the right; an explicit
// mode ignores the side; disabled selects none.
constexpr std::optional<InputMode> inputMode(ModifiedCommandAction action, CommandKeySide side) {
    switch (action) {
    case ModifiedCommandAction::disabled: return std::nullopt;
    case ModifiedCommandAction::standard: return side == CommandKeySide::left ? InputMode::kana : InputMode::eisu;
    case ModifiedCommandAction::eisu: return InputMode::eisu;
    case ModifiedCommandAction::kana: return InputMode::kana;
    case ModifiedCommandAction::fullWidthRoman: return InputMode::fullWidthRoman;
    case ModifiedCommandAction::katakana: return InputMode::katakana;
    case ModifiedCommandAction::halfWidthKatakana: return InputMode::halfWidthKatakana;
    }
    return std::nullopt;
}

constexpr bool isEnabled(ModifiedCommandAction action) { return action != ModifiedCommandAction::disabled; }

// The modes reached by selecting an input source rather than by the eisu and kana mode keys.
constexpr bool usesAdvancedInputMode(ModifiedCommandAction action) {
    return action == ModifiedCommandAction::fullWidthRoman || action == ModifiedCommandAction::katakana || action == ModifiedCommandAction::halfWidthKatakana;
}

} // namespace tessaril
