// The modifier grace of the rule engine: a Command press that took its modified action because its
// companion modifier was down is turned back into a plain press when the companion is released within
// the grace window, as happens when the companion was caught on the way to Command.
#include "TessarilCore/Engine/RuleEngine.hpp"

namespace tessaril {

void RuleEngine::modifierGraceActions(const PhysicalKeyEvent& event, Actions& actions) {
    if (!pendingModifierGraceCorrections_[0] && !pendingModifierGraceCorrections_[1]) return;
    if (event.phase == KeyPhase::up) {
        switch (event.key.kind()) {
        case PhysicalKey::Kind::shift:
            modifierGraceCorrectionActions(CompanionModifier::shift, event.timeMilliseconds, actions);
            return;
        case PhysicalKey::Kind::option:
            modifierGraceCorrectionActions(CompanionModifier::option, event.timeMilliseconds, actions);
            return;
        case PhysicalKey::Kind::control:
            modifierGraceCorrectionActions(CompanionModifier::control, event.timeMilliseconds, actions);
            return;
        default: break;
        }
    }
    expireModifierGraceCorrections(event.timeMilliseconds);
}

void RuleEngine::expireModifierGraceCorrections(std::int64_t timeMilliseconds) noexcept {
    for (auto& record : pendingModifierGraceCorrections_) {
        if (record && saturatingSubtract(timeMilliseconds, record->commandDownTimeMilliseconds) >
                          settings_.modifierGraceWindowMilliseconds) {
            record.reset();
        }
    }
}

void RuleEngine::modifierGraceCorrectionActions(CompanionModifier modifier, std::int64_t timeMilliseconds,
                                                Actions& actions) {
    for (auto side : sides) {
        auto& slot = pendingModifierGraceCorrections_[caseIndex(side)];
        if (!slot || slot->companionModifier != modifier) continue;
        const auto record = *slot;
        slot.reset();
        const auto overlap = saturatingSubtract(timeMilliseconds, record.commandDownTimeMilliseconds);
        if (overlap < 0 || overlap > settings_.modifierGraceWindowMilliseconds) continue;

        const auto correction = EngineAction::recordModifierGraceCorrection(
            side, modifier, record.modifiedInputMode, record.singleInputMode, overlap);
        const bool commandHeld = heldKeys_.containsAnyOf(HeldKeySet::commandBit(side));
        auto& trackingState = commandTrackingStates_[caseIndex(side)];
        // Still tracked: the release of Command will perform the plain switch.
        if (settings_.tracksCommandChords && commandHeld && trackingState) {
            trackingState->switchedInputMode = record.singleInputMode;
            trackingState->delayMilliseconds = record.singleDelayMilliseconds;
            actions.push_back(correction);
            continue;
        }
        // The modified switch was already emitted: replace it now, counting the overlap against the delay.
        if (commandHeld) {
            trackingState = CommandTrackingState{record.previousInputMode, record.singleInputMode,
                                                 record.singleDelayMilliseconds, record.commandDownTimeMilliseconds};
        }
        if (record.modifiedDelayMilliseconds >= 1) actions.push_back(EngineAction::cancelScheduledInputMode(side));
        switchInputMode(record.singleInputMode, saturatingSubtract(record.singleDelayMilliseconds, overlap), side,
                        timeMilliseconds, actions);
        actions.push_back(correction);
    }
}

} // namespace tessaril
