#pragma once

#include <optional>

#include "TessarilCore/Support/EnumCases.hpp"
#include "TessarilCore/Input/InputMode.hpp"

namespace tessaril {

// The input modes in which a writing assist may fire. The settings window builds its condition
// control from allCases, so the declaration order is the order shown.
enum class WritingAssistInputModeCondition { kanaOnly, eisuOnly, anytime };

template <> struct EnumCases<WritingAssistInputModeCondition> {
    static constexpr std::string_view typeName = "WritingAssistInputModeCondition";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<WritingAssistInputModeCondition, std::string_view>, 3> cases{{
        {WritingAssistInputModeCondition::kanaOnly, "kanaOnly"},
        {WritingAssistInputModeCondition::eisuOnly, "eisuOnly"},
        {WritingAssistInputModeCondition::anytime, "anytime"},
    }};
};

// Whether an assist with this condition may fire in the current mode. An unknown mode satisfies
// only `anytime`, so a mode-bound assist never fires on a guess.
constexpr bool canActivate(WritingAssistInputModeCondition condition, std::optional<InputMode> currentInputMode) noexcept {
    switch (condition) {
    case WritingAssistInputModeCondition::kanaOnly: return currentInputMode && isKanaTextInput(*currentInputMode);
    case WritingAssistInputModeCondition::eisuOnly: return currentInputMode && !isKanaTextInput(*currentInputMode);
    case WritingAssistInputModeCondition::anytime: return true;
    }
    return false;
}

} // namespace tessaril
