#pragma once

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// Which text tool a shortcut runs; the engine hands it to the application shell.
enum class TextToolAction { plainCopy, plainPaste, characterCount };

template <> struct EnumCases<TextToolAction> {
    static constexpr std::string_view typeName = "TextToolAction";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<TextToolAction, std::string_view>, 3> cases{{
        {TextToolAction::plainCopy, "plainCopy"},
        {TextToolAction::plainPaste, "plainPaste"},
        {TextToolAction::characterCount, "characterCount"},
    }};
};

} // namespace tessaril
