#include "TessarilCore/Rules/WritingAssistSettings.hpp"

#include "TessarilCore/Rules/BaseKeyTrigger.hpp"

namespace tessaril {
namespace {

template <class Standard>
PairAssistRule ruleFromOlderPair(std::string_view id, std::string_view title,
                                 const SinglePairAssistSettings<Standard>& pair) {
    return PairAssistRule(std::string(id), std::string(title), pair.isEnabled, pair.inputModeCondition, pair.trigger,
                          pair.openingText, pair.closingText, pair.activePresets);
}

} // namespace

std::vector<PairAssistRule> WritingAssistSettings::effectivePairAssistRules() const {
    std::vector<PairAssistRule> rules;
    if (pairAssistRules.empty()) {
        rules.reserve(2);
        rules.push_back(ruleFromOlderPair(quoteRuleID, quoteRuleTitle, quoteAssist));
        rules.push_back(ruleFromOlderPair(pairInsertionRuleID, pairInsertionRuleTitle, pairInsertionAssist));
        return rules;
    }
    rules.reserve(pairAssistRules.size());
    for (const auto& rule : pairAssistRules) rules.push_back(normalizedPairAssistRule(rule));
    return rules;
}

void WritingAssistSettings::ensurePairAssistRules() { pairAssistRules = effectivePairAssistRules(); }

void WritingAssistSettings::normalizeShortcutBaseKeys() {
    quoteAssist.trigger = baseKeyTrigger(quoteAssist.trigger);
    pairInsertionAssist.trigger = baseKeyTrigger(pairInsertionAssist.trigger);
    for (auto& rule : pairAssistRules) rule.trigger = baseKeyTrigger(rule.trigger);
}

PairAssistRule WritingAssistSettings::normalizedPairAssistRule(const PairAssistRule& rule) {
    return PairAssistRule(rule.id, rule.title, rule.isEnabled, rule.inputModeCondition, rule.trigger, rule.openingText,
                          rule.closingText, rule.activePresets);
}

Json JSONCoding<WritingAssistSettings>::encode(const WritingAssistSettings& settings) {
    Json object = Json::object();
    object["quoteAssist"] = coding::encode(settings.quoteAssist);
    object["pairInsertionAssist"] = coding::encode(settings.pairInsertionAssist);
    object["pairAssistRules"] = coding::encode(settings.pairAssistRules);
    return object;
}

WritingAssistSettings JSONCoding<WritingAssistSettings>::decode(const Json& value) {
    coding::expectObject(value, "WritingAssistSettings");
    return WritingAssistSettings{
        coding::decodeOr(value, "quoteAssist", QuoteAssistSettings()),
        coding::decodeOr(value, "pairInsertionAssist", PairInsertionAssistSettings()),
        coding::decodeOr(value, "pairAssistRules", std::vector<PairAssistRule>()),
    };
}

} // namespace tessaril
