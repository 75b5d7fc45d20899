#pragma once

#include <optional>
#include <string>

#include "TessarilCore/Settings/TessarilSettings.hpp"

namespace tessaril {

// Whose rules the fixed-phrase page edits: the selected application (none for the default rules)
// and where its rules come from, the first set that lists it or its own entry. Two members of one
// set, or an application before and after it follows the default, are different targets: what the
// editor took from one target's panels is never measured against, or shown on, another's rules.
// A plain value.
struct FixedPhraseEditorTarget {
    std::optional<std::string> bundleIdentifier;
    std::optional<std::string> setID;
    bool hasOwnEntry = false;

    static FixedPhraseEditorTarget resolved(const TessarilSettings& settings,
                                            const std::optional<std::string>& bundleIdentifier);

    friend bool operator==(const FixedPhraseEditorTarget&, const FixedPhraseEditorTarget&) = default;
};

} // namespace tessaril
