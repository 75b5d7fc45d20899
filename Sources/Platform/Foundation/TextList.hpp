#pragma once

#include <string>
#include <string_view>

namespace tessaril::platform {

// A list that paragraphs belong to. Its marker format holds one placeholder in braces ("{disc}",
// "{decimal}", "{lower-alpha}", "{upper-roman}", …), optionally with literal text around it ("({decimal})").
struct TextList {
    static constexpr std::string_view disc = "{disc}";
    static constexpr std::string_view circle = "{circle}";
    static constexpr std::string_view square = "{square}";
    static constexpr std::string_view decimal = "{decimal}";

    std::string markerFormat{disc};

    // The marker of the given item: "•" for a disc, "3" for decimal, "c" for lower-alpha, "III" for
    // upper-roman. Letters and roman numerals fall back to decimal digits where they have no form
    // (numbers below 1, roman numbers above 3999); an unknown placeholder gives no marker text.
    std::string marker(long long forItemNumber) const;

    friend bool operator==(const TextList&, const TextList&) = default;
};

} // namespace tessaril::platform
