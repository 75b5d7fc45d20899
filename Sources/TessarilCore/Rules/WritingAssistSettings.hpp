#pragma once

#include <vector>

#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Rules/PairAssistRule.hpp"
#include "TessarilCore/Rules/PairInsertionAssistSettings.hpp"
#include "TessarilCore/Rules/QuoteAssistSettings.hpp"

namespace tessaril {

// The writing assists of one scope (global, one application, or one settings set): the two pairs of
// the older form and the rule list that supersedes them once it holds a rule. A value; any thread.
struct WritingAssistSettings {
    static constexpr std::string_view quoteRuleID = "quote";
    static constexpr std::string_view quoteRuleTitle = "引用符";
    static constexpr std::string_view pairInsertionRuleID = "pairInsertion";
    static constexpr std::string_view pairInsertionRuleTitle = "すみ付き括弧";

    QuoteAssistSettings quoteAssist;
    PairInsertionAssistSettings pairInsertionAssist;
    std::vector<PairAssistRule> pairAssistRules;

    // The rules in force: the stored list, normalised, or while it is empty the two rules derived from
    // the older pairs. A stored rule with an empty id shows a new id on every call until it is stored.
    std::vector<PairAssistRule> effectivePairAssistRules() const;
    // Stores the rules in force so that they can be edited one by one.
    void ensurePairAssistRules();
    // Character keys of every stored trigger to their base form; nothing else changes.
    void normalizeShortcutBaseKeys();

    static PairAssistRule normalizedPairAssistRule(const PairAssistRule& rule);

    friend bool operator==(const WritingAssistSettings&, const WritingAssistSettings&) = default;
};

template <> struct JSONCoding<WritingAssistSettings> {
    static Json encode(const WritingAssistSettings& settings);
    static WritingAssistSettings decode(const Json& value);
};

} // namespace tessaril
