// The shortcut-attempt path of the rule engine: text tools, fixed phrases, pair assists and the
// double-press guard, in that order of precedence.
#include "TessarilCore/Engine/RuleEngine.hpp"

namespace tessaril {

void RuleEngine::handleShortcutAttempt(const ShortcutAttempt& attempt, Actions& actions) {
    if (handleTextToolShortcutAttempt(attempt, actions)) return;
    if (const auto* rules = lookup_.triggerRules(attempt.shortcut)) {
        if (handleFixedPhraseShortcutAttempt(attempt, *rules, actions)) return;
        if (handlePairAssistShortcutAttempt(attempt, *rules, actions)) return;
    }
    if (handleGuardedShortcutAttempt(attempt, actions)) return;
    pendingGuard_.reset();
    actions.push_back(EngineAction::allowShortcut(attempt.shortcut));
}

// Every assist answers a repeat by swallowing it without acting again, and ends any guard count.
void RuleEngine::answerAssistedShortcut(const ShortcutAttempt& attempt, Actions& actions) {
    pendingGuard_.reset();
    actions.push_back(EngineAction::suppressShortcut(attempt.shortcut));
}

bool RuleEngine::handleTextToolShortcutAttempt(const ShortcutAttempt& attempt, Actions& actions) {
    auto tool = textTools_.action(attempt.shortcut);
    if (!tool) return false;
    answerAssistedShortcut(attempt, actions);
    if (!attempt.isRepeat) actions.push_back(EngineAction::performTextTool(*tool));
    return true;
}

bool RuleEngine::handleFixedPhraseShortcutAttempt(const ShortcutAttempt& attempt, const RuleEngineLookup::TriggerRules& rules,
                                                  Actions& actions) {
    auto index = rules.fixedPhraseIndex(activePreset_);
    if (!index) return false;
    answerAssistedShortcut(attempt, actions);
    if (attempt.isRepeat) return true;
    const auto& rule = fixedPhraseAssist_.rules[*index];
    actions.push_back(EngineAction::insertFixedPhrase(FixedPhraseInsertion(rule.plainText, rule.richTextRTFBase64,
                                                                           rule.htmlText, rule.insertionFormat,
                                                                           rule.inputMode, rule.previewMode,
                                                                           rule.insertionMode)));
    return true;
}

bool RuleEngine::handlePairAssistShortcutAttempt(const ShortcutAttempt& attempt, const RuleEngineLookup::TriggerRules& rules,
                                                 Actions& actions) {
    const auto& candidates = rules.pairAssistCandidates();
    if (candidates.empty()) return false;
    const auto mode = assistInputMode(attempt.timeMilliseconds);
    const auto& pairRules = lookup_.pairAssistRules();
    for (auto index : candidates) {
        const auto& rule = pairRules[index];
        if (!rule.matches(attempt.shortcut, activePreset_, mode)) continue;
        answerAssistedShortcut(attempt, actions);
        if (!attempt.isRepeat) actions.push_back(EngineAction::insertTextPair(rule.openingText, rule.closingText));
        return true;
    }
    return false;
}

bool RuleEngine::handleGuardedShortcutAttempt(const ShortcutAttempt& attempt, Actions& actions) {
    const auto& guard = settings_.doublePressGuard;
    if (!guard.isEnabled) return false;
    auto index = lookup_.guardRuleIndex(attempt.shortcut, activePreset_);
    if (!index) return false;
    const auto& rule = guard.rules[*index];
    const auto& shortcut = attempt.shortcut;
    // Holding a guarded shortcut must never count as pressing it again.
    if (attempt.isRepeat) {
        actions.push_back(EngineAction::suppressShortcut(shortcut));
        return true;
    }
    // Each counted press keeps its own time: the timeout runs between consecutive presses.
    const auto time = attempt.timeMilliseconds;
    std::int64_t pressCount = 1;
    if (pendingGuard_ && pendingGuard_->shortcut == shortcut &&
        saturatingSubtract(time, pendingGuard_->timeMilliseconds) <= rule.timeoutMilliseconds()) {
        pressCount = pendingGuard_->completedPressCount + 1;
        if (pressCount >= rule.pressCount) {
            pendingGuard_.reset();
            actions.push_back(EngineAction::allowShortcut(shortcut));
            return true;
        }
    }
    pendingGuard_ = PendingGuard{shortcut, time, pressCount};
    actions.push_back(EngineAction::suppressShortcut(shortcut));
    return true;
}

} // namespace tessaril
