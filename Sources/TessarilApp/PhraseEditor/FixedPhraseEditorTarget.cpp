#include "TessarilApp/PhraseEditor/FixedPhraseEditorTarget.hpp"

#include <algorithm>

namespace tessaril {

FixedPhraseEditorTarget FixedPhraseEditorTarget::resolved(const TessarilSettings& settings,
                                                          const std::optional<std::string>& bundleIdentifier) {
    FixedPhraseEditorTarget target{bundleIdentifier, std::nullopt, false};
    if (!bundleIdentifier) return target;
    const auto& sets = settings.fixedPhraseAssistSets;
    if (const auto set = std::find_if(sets.begin(), sets.end(), [&](const auto& each) { return each.targetsApp(*bundleIdentifier); });
        set != sets.end()) {
        target.setID = set->id;
        return target;
    }
    const auto& entries = settings.appFixedPhraseAssistSettings;
    const auto entry = entries.find(*bundleIdentifier);
    target.hasOwnEntry = entry != entries.end() && !entry->second.usesDefaultFixedPhraseAssist;
    return target;
}

} // namespace tessaril
