#pragma once

#include <string>

#include "TessarilCore/Rules/FixedPhraseAssistSettings.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"

namespace tessaril {

// One application's entry for the fixed phrases: its own phrases, or a flag to follow the global
// ones. A value; any thread.
struct AppFixedPhraseAssistSettings {
    std::string displayName;
    bool usesDefaultFixedPhraseAssist = false;
    FixedPhraseAssistSettings fixedPhraseAssist;

    friend bool operator==(const AppFixedPhraseAssistSettings&, const AppFixedPhraseAssistSettings&) = default;
};

template <> struct JSONCoding<AppFixedPhraseAssistSettings> {
    static Json encode(const AppFixedPhraseAssistSettings& settings);
    static AppFixedPhraseAssistSettings decode(const Json& value);
};

} // namespace tessaril
