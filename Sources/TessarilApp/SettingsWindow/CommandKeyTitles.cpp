#include "TessarilApp/SettingsWindow/CommandKeyTitles.hpp"

#include <optional>

namespace tessaril {

namespace {

std::string standardTitle(InputMode mode) { return "標準（" + inputModeDisplayName(mode) + "）"; }

template <class Action> std::string actionTitle(Action action, CommandKeySide side) {
    if (action == Action::disabled) return "なし";
    const std::optional<InputMode> mode = inputMode(action, side);
    if (action == Action::standard) return standardTitle(*mode);
    return inputModeDisplayName(*mode);
}

template <class Action> std::string actionSummary(Action action, CommandKeySide side) {
    const std::optional<InputMode> mode = inputMode(action, side);
    if (!mode) return "変更しない";
    return (action == Action::standard ? "標準: " : "") + inputModeDisplayName(*mode) + "へ切り替え";
}

} // namespace

std::string inputModeDisplayName(InputMode mode) {
    switch (mode) {
    case InputMode::eisu: return "英数";
    case InputMode::kana: return "かな";
    case InputMode::fullWidthRoman: return "全角英数";
    case InputMode::katakana: return "カタカナ";
    case InputMode::halfWidthKatakana: return "半角カタカナ";
    }
    return {};
}

std::string companionModifierSymbol(CompanionModifier modifier) {
    switch (modifier) {
    case CompanionModifier::shift: return "⇧";
    case CompanionModifier::option: return "⌥";
    case CompanionModifier::control: return "⌃";
    }
    return {};
}

std::string commandActionTitle(CommandKeyAction action, CommandKeySide side) { return actionTitle(action, side); }

std::string modifiedCommandActionTitle(ModifiedCommandAction action, CommandKeySide side) {
    return actionTitle(action, side);
}

std::string commandComboTitle(CompanionModifier modifier, CommandKeySide side) {
    return companionModifierSymbol(modifier) + "+" + (side == CommandKeySide::left ? "左⌘" : "右⌘");
}

std::string commandActionSummary(CommandKeyAction action, CommandKeySide side) { return actionSummary(action, side); }

std::string commandActionSummary(ModifiedCommandAction action, CommandKeySide side) {
    return actionSummary(action, side);
}

} // namespace tessaril
