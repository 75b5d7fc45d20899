#pragma once

#include "TessarilCore/Support/EnumCases.hpp"
#include "TessarilCore/Support/EnumSet.hpp"

namespace tessaril {

// A modifier of a shortcut; spelled `Shortcut::Modifier` where it is used.
enum class ShortcutModifier { command, shift, option, control };

template <> struct EnumCases<ShortcutModifier> {
    static constexpr std::string_view typeName = "Modifier";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::caseObject;
    static constexpr std::array<std::pair<ShortcutModifier, std::string_view>, 4> cases{{
        {ShortcutModifier::command, "command"},
        {ShortcutModifier::shift, "shift"},
        {ShortcutModifier::option, "option"},
        {ShortcutModifier::control, "control"},
    }};
};

using ShortcutModifierSet = EnumSet<ShortcutModifier>;

} // namespace tessaril
