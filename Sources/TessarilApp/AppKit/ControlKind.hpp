#pragma once

#include <array>
#include <string_view>
#include <utility>

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril::appkit {

// What a control is to the person using it; the automation driver names controls by it.
enum class ControlKind { button, switchButton, checkbox, popup, field, label };

} // namespace tessaril::appkit

template <> struct tessaril::EnumCases<tessaril::appkit::ControlKind> {
    static constexpr std::string_view typeName = "ControlKind";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<appkit::ControlKind, std::string_view>, 6> cases{{
        {appkit::ControlKind::button, "button"},
        {appkit::ControlKind::switchButton, "switch"},
        {appkit::ControlKind::checkbox, "checkbox"},
        {appkit::ControlKind::popup, "popup"},
        {appkit::ControlKind::field, "field"},
        {appkit::ControlKind::label, "label"},
    }};
};
