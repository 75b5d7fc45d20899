#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril::appkit {

// A modal alert as the code asks for it: the first button is the default; the answer is the index
// of the pressed button in this order, whatever order the toolkit lays them out in.
struct Alert {
    enum class Style { warning, critical, informational };

    Style style = Style::warning;
    std::string messageText;
    std::string informativeText;
    std::vector<std::string> buttons;

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
