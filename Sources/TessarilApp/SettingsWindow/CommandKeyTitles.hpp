#pragma once

#include <string>

#include "TessarilCore/Input/CommandKeySide.hpp"
#include "TessarilCore/Input/CompanionModifier.hpp"
#include "TessarilCore/Input/InputMode.hpp"
#include "TessarilCore/Rules/CommandKeyAction.hpp"
#include "TessarilCore/Rules/ModifiedCommandAction.hpp"

namespace tessaril {

// How the settings window names the Command keys, their actions and the input modes they switch to.
// Pure text; any thread.

// "英数", "かな", "全角英数", "カタカナ", "半角カタカナ".
std::string inputModeDisplayName(InputMode mode);
// "⇧", "⌥", "⌃".
std::string companionModifierSymbol(CompanionModifier modifier);

// A popup item's title: "なし", "標準（英数）" or "標準（かな）" by side, or the mode's name. The modified
// action's standard is the reverse side's mode, so the left one reads "標準（かな）".
std::string commandActionTitle(CommandKeyAction action, CommandKeySide side);
std::string modifiedCommandActionTitle(ModifiedCommandAction action, CommandKeySide side);

// The label of a modified row: the modifier's symbol, "+", then "左⌘" or "右⌘" ("⇧+左⌘").
std::string commandComboTitle(CompanionModifier modifier, CommandKeySide side);

// One line for the basic and presets pages: "変更しない", "標準: 英数へ切り替え", "カタカナへ切り替え".
std::string commandActionSummary(CommandKeyAction action, CommandKeySide side);
std::string commandActionSummary(ModifiedCommandAction action, CommandKeySide side);

} // namespace tessaril
