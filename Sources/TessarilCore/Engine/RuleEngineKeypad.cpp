// The keypad paths of the rule engine: keypad hacks, and the keypad "=" combination in which "=" held
// down serves as the modifier.
#include "TessarilCore/Engine/RuleEngine.hpp"

namespace tessaril {
namespace {
const std::string equalText = "=";
} // namespace

void RuleEngine::handleKeypadHackKeyDown(const PhysicalKeyEvent& event, KeypadShortcutHackKey key, Actions& actions) {
    if (!handleKeypadEqualComboKeyDown(event, key, actions)) handleKeypadShortcutHackDown(event, key, actions);
    noteNonModifierKeyDown(actions);
}

bool RuleEngine::handleKeypadEqualComboKeyDown(const PhysicalKeyEvent&, KeypadShortcutHackKey key, Actions& actions) {
    if (!keypadEqualComboIsPending_ || !heldKeys_.contains(PhysicalKey::keypadEqual())) return false;
    const bool wasUsedBefore = keypadEqualWasUsedAsModifier_;
    keypadEqualWasUsedAsModifier_ = true;
    // The rule's own modifier is not consulted here: "=" stands in for it.
    if (noStandardModifierIsHeld() && appendKeypadHackOutput(key, actions)) return true;
    // A key that types nothing has not made "=" a modifier; type the "=" now rather than lose it.
    if (!wasUsedBefore) {
        endKeypadEqualCombo();
        actions.push_back(EngineAction::insertText(equalText));
    }
    return true;
}

void RuleEngine::handleKeypadShortcutHackDown(const PhysicalKeyEvent&, KeypadShortcutHackKey key, Actions& actions) {
    if (!isOnlyCompanionModifierHeld(lookup_.keypadHack(key).modifier)) return;
    appendKeypadHackOutput(key, actions);
}

bool RuleEngine::appendKeypadHackOutput(KeypadShortcutHackKey key, Actions& actions) const {
    const auto& hack = lookup_.keypadHack(key);
    if (!hack.isEnabledIn(activePreset_) || hack.outputText.empty()) return false;
    actions.push_back(EngineAction::suppressPhysicalKey(physicalKey(key)));
    actions.push_back(EngineAction::insertText(hack.outputText));
    return true;
}

void RuleEngine::handleKeypadEqualDown(const PhysicalKeyEvent& event, Actions& actions) {
    // Auto-repeat of a held "=" must not re-arm it: that would forget that it already served as a modifier.
    if (event.isRepeat && keypadEqualComboIsPending_) {
        actions.push_back(EngineAction::suppressPhysicalKey(PhysicalKey::keypadEqual()));
        return;
    }
    if (keypadEqualComboCanStart()) {
        keypadEqualComboIsPending_ = true;
        keypadEqualWasUsedAsModifier_ = false;
        actions.push_back(EngineAction::suppressPhysicalKey(PhysicalKey::keypadEqual()));
        return;
    }
    endKeypadEqualCombo();
    noteNonModifierKeyDown(actions);
}

void RuleEngine::handleKeypadEqualUp(Actions& actions) {
    if (!keypadEqualComboIsPending_) return;
    const bool wasUsed = keypadEqualWasUsedAsModifier_;
    endKeypadEqualCombo();
    actions.push_back(EngineAction::suppressPhysicalKey(PhysicalKey::keypadEqual()));
    if (!wasUsed) actions.push_back(EngineAction::insertText(equalText));
}

void RuleEngine::flushPendingKeypadEqualBeforePassthrough(const PhysicalKey& key, Actions& actions) {
    if (!keypadEqualComboIsPending_ || !heldKeys_.contains(PhysicalKey::keypadEqual())) return;
    if (key.kind() == PhysicalKey::Kind::keypadEqual) return;
    endKeypadEqualCombo();
    actions.push_back(EngineAction::insertText(equalText));
}

bool RuleEngine::keypadEqualComboCanStart() const noexcept {
    return settings_.keypadShortcutHacks.usesKeypadEqualCombo && noStandardModifierIsHeld() &&
           lookup_.hasEnabledKeypadHack(activePreset_);
}

bool RuleEngine::noStandardModifierIsHeld() const noexcept {
    return !heldKeys_.containsAnyOf(HeldKeySet::standardModifierBits);
}

bool RuleEngine::isOnlyCompanionModifierHeld(CompanionModifier modifier) const noexcept {
    const auto companion = HeldKeySet::companionBits(modifier);
    const auto others = (HeldKeySet::shiftBits | HeldKeySet::optionBits | HeldKeySet::controlBits) & ~companion;
    return heldKeys_.containsAnyOf(companion) && !heldKeys_.containsAnyOf(others | HeldKeySet::commandBits) &&
           !heldKeys_.containsAnyOf(HeldKeySet::bit(PhysicalKey::keypadEqual()));
}

void RuleEngine::endKeypadEqualCombo() noexcept {
    keypadEqualComboIsPending_ = false;
    keypadEqualWasUsedAsModifier_ = false;
}

} // namespace tessaril
