#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril::appkit {

// A modal alert as the code asks for it: the answer is the index of the pressed button in this
// order, whatever order the toolkit lays them out in. Return presses the default button, the first
// unless a question must not go ahead by a reflex press.
struct Alert {
    enum class Style { warning, critical, informational };

    Style style = Style::warning;
    std::string messageText;
    std::string informativeText;
    std::vector<std::string> buttons;
    // The index of the default button.
    std::size_t defaultButton = 0;

    friend bool operator==(const Alert&, const Alert&) = default;
};

} // namespace tessaril::appkit

template <> struct tessaril::EnumCases<tessaril::appkit::Alert::Style> {
    static constexpr std::string_view typeName = "Style";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
    static constexpr std::array<std::pair<appkit::Alert::Style, std::string_view>, 3> cases{{
        {appkit::Alert::Style::warning, "warning"},
        {appkit::Alert::Style::critical, "critical"},
        {appkit::Alert::Style::informational, "informational"},
    }};
};
