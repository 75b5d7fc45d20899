#include "TessarilApp/SetsAndRegistry/FeatureSetFamily.hpp"

#include <algorithm>

namespace tessaril {

std::string featureSetCountText(std::size_t count) { return std::to_string(count) + "件"; }

namespace {

std::string count(std::size_t value) { return featureSetCountText(value); }

template <class Rule> std::size_t enabledCount(const std::vector<Rule>& rules) {
    return static_cast<std::size_t>(std::count_if(rules.begin(), rules.end(), [](const Rule& rule) { return rule.isEnabled; }));
}

} // namespace

std::vector<std::pair<std::string, std::string>> KeypadHackSetFamily::summary(const Value& value) {
    std::size_t enabled = 0;
    for (const auto* rule : {&value.period, &value.slash, &value.asterisk, &value.hyphen, &value.plus}) {
        if (rule->isEnabled) ++enabled;
    }
    return {{"有効キー", count(enabled)}, {"テンキー=", value.usesKeypadEqualCombo ? "ON" : "OFF"}};
}

std::vector<std::pair<std::string, std::string>> ShortcutGuardSetFamily::summary(const Value& value) {
    return {{"登録キー", count(value.rules.size())}, {"有効キー", count(enabledCount(value.rules))}};
}

std::vector<std::pair<std::string, std::string>> WritingAssistSetFamily::summary(const Value& value) {
    return {{"括弧・引用", count(value.pairAssistRules.size())}, {"有効", count(enabledCount(value.pairAssistRules))}};
}

std::vector<std::pair<std::string, std::string>> FixedPhraseSetFamily::summary(const Value& value) {
    return {{"定型文", count(value.rules.size())}, {"有効", count(enabledCount(value.rules))}};
}

} // namespace tessaril
