#include "TessarilCore/Rules/FixedPhraseAssistSettings.hpp"

#include "TessarilCore/Rules/BaseKeyTrigger.hpp"

namespace tessaril {

std::optional<FixedPhraseRule> FixedPhraseAssistSettings::activeRule(const Shortcut& shortcut,
                                                                     KeyboardPreset activePreset) const {
    for (const auto& rule : rules) {
        if (rule.matches(shortcut, activePreset)) return rule;
    }
    return std::nullopt;
}

void FixedPhraseAssistSettings::normalizeForImport() {
    for (auto& rule : rules) rule = rule.normalizedForImport();
}

void FixedPhraseAssistSettings::normalizeShortcutBaseKeys() {
    for (auto& rule : rules) rule.trigger = baseKeyTrigger(rule.trigger);
}

Json JSONCoding<FixedPhraseAssistSettings>::encode(const FixedPhraseAssistSettings& settings) {
    return Json{{"rules", coding::encode(settings.rules)}};
}

FixedPhraseAssistSettings JSONCoding<FixedPhraseAssistSettings>::decode(const Json& value) {
    coding::expectObject(value, "FixedPhraseAssistSettings");
    return FixedPhraseAssistSettings{coding::decodeRequired<std::vector<FixedPhraseRule>>(value, "rules")};
}

} // namespace tessaril
