#pragma once

#include <string>

#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Rules/WritingAssistSettings.hpp"

namespace tessaril {

// One application's entry for the writing assists: its own assists, or a flag to follow the global
// ones. A value; any thread.
struct AppWritingAssistSettings {
    std::string displayName;
    bool usesDefaultWritingAssist = false;
    WritingAssistSettings writingAssist;

    friend bool operator==(const AppWritingAssistSettings&, const AppWritingAssistSettings&) = default;
};

template <> struct JSONCoding<AppWritingAssistSettings> {
    static Json encode(const AppWritingAssistSettings& settings);
    static AppWritingAssistSettings decode(const Json& value);
};

} // namespace tessaril
