#pragma once

#include <string>

#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Engine/RuleEngineSettings.hpp"

namespace tessaril {

// A keyboard preset the user made: its identity, the name shown in menus and lists, and its
// rule-engine settings. A plain value, used on any thread.
struct CustomKeyboardPreset {
    std::string id;
    std::string name;
    RuleEngineSettings settings;

    friend bool operator==(const CustomKeyboardPreset&, const CustomKeyboardPreset&) = default;
};

template <> struct JSONCoding<CustomKeyboardPreset> {
    static Json encode(const CustomKeyboardPreset& preset);
    // All three keys are required; the texts are taken unchanged.
    static CustomKeyboardPreset decode(const Json& value);
};

} // namespace tessaril
