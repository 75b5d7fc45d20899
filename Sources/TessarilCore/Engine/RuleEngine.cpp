#include "TessarilCore/Engine/RuleEngine.hpp"

#include <algorithm>
#include <limits>
#include <utility>

namespace tessaril {

RuleEngine::RuleEngine()
    : RuleEngine(RuleEngineSettings(), WritingAssistSettings(), TextToolSettings(), FixedPhraseAssistSettings(),
                 keyboard_preset::defaultPreset) {}

RuleEngine::RuleEngine(RuleEngineSettings settings, WritingAssistSettings writingAssist, TextToolSettings textTools,
                       FixedPhraseAssistSettings fixedPhraseAssist, KeyboardPreset activePreset)
    : textTools_(std::move(textTools)), activePreset_(activePreset) {
    setSettings(std::move(settings));
    setWritingAssist(std::move(writingAssist));
    setFixedPhraseAssist(std::move(fixedPhraseAssist));
}

// MARK: Configuration

void RuleEngine::setSettings(RuleEngineSettings settings) {
    settings_ = std::move(settings);
    lookup_.rebuildKeypadHacks(settings_.keypadShortcutHacks);
    lookup_.rebuildGuardRules(settings_.doublePressGuard);
}

void RuleEngine::setWritingAssist(WritingAssistSettings writingAssist) {
    writingAssist_ = std::move(writingAssist);
    lookup_.rebuildPairAssistRules(writingAssist_);
}

void RuleEngine::setTextTools(TextToolSettings textTools) { textTools_ = std::move(textTools); }

void RuleEngine::setFixedPhraseAssist(FixedPhraseAssistSettings fixedPhraseAssist) {
    fixedPhraseAssist_ = std::move(fixedPhraseAssist);
    lookup_.rebuildFixedPhrases(fixedPhraseAssist_);
}

// MARK: Entry points

std::vector<EngineAction> RuleEngine::handle(const EngineEvent& event) noexcept {
    Actions actions;
    if (const auto* physical = event.physicalKeyEvent()) {
        handlePhysicalKeyEvent(*physical, actions);
    } else {
        handleShortcutAttempt(*event.shortcutAttempt(), actions);
    }
    return actions;
}

void RuleEngine::setObservedInputMode(std::optional<InputMode> mode) noexcept {
    currentInputMode_ = mode;
    if (requestedInputMode_ && mode && *mode == requestedInputMode_->mode) requestedInputMode_.reset();
}

std::vector<EngineAction> RuleEngine::noteNonModifierKeyDown() noexcept {
    Actions actions;
    noteNonModifierKeyDown(actions);
    return actions;
}

void RuleEngine::resetRuntimeState() noexcept {
    heldKeys_.clear();
    commandKeysUsedAsModifier_ = {};
    commandTrackingStates_ = {};
    pendingModifierGraceCorrections_ = {};
    pendingGuard_.reset();
    keypadEqualComboIsPending_ = false;
    keypadEqualWasUsedAsModifier_ = false;
    requestedInputMode_.reset();
}

std::optional<InputMode> RuleEngine::assistInputMode(std::int64_t timeMilliseconds) const noexcept {
    // An expired request is left in place; it only stops counting.
    if (requestedInputMode_ && requestedInputMode_->effectiveFromMilliseconds <= timeMilliseconds &&
        timeMilliseconds <= requestedInputMode_->expiresAtMilliseconds) {
        return requestedInputMode_->mode;
    }
    return currentInputMode_;
}

std::vector<PhysicalKey> RuleEngine::heldKeys() const { return heldKeys_.keys(); }

// MARK: Physical keys

void RuleEngine::handlePhysicalKeyEvent(const PhysicalKeyEvent& event, Actions& actions) {
    modifierGraceActions(event, actions);
    if (event.phase == KeyPhase::down) {
        heldKeys_.insert(event.key);
        handleKeyDown(event, actions);
    } else {
        handleKeyUp(event, actions);
    }
}

void RuleEngine::handleKeyDown(const PhysicalKeyEvent& event, Actions& actions) {
    using Kind = PhysicalKey::Kind;
    switch (event.key.kind()) {
    case Kind::command: handleCommandDown(*event.key.commandSide(), event.timeMilliseconds, actions); return;
    case Kind::shift:
    case Kind::option:
    case Kind::control: flushPendingKeypadEqualBeforePassthrough(event.key, actions); return;
    case Kind::character:
        flushPendingKeypadEqualBeforePassthrough(event.key, actions);
        if (settings_.tracksCommandChords) noteNonModifierKeyDown(actions);
        return;
    case Kind::keypadPeriod: handleKeypadHackKeyDown(event, KeypadShortcutHackKey::period, actions); return;
    case Kind::keypadSlash: handleKeypadHackKeyDown(event, KeypadShortcutHackKey::slash, actions); return;
    case Kind::keypadAsterisk: handleKeypadHackKeyDown(event, KeypadShortcutHackKey::asterisk, actions); return;
    case Kind::keypadHyphen: handleKeypadHackKeyDown(event, KeypadShortcutHackKey::hyphen, actions); return;
    case Kind::keypadPlus: handleKeypadHackKeyDown(event, KeypadShortcutHackKey::plus, actions); return;
    case Kind::keypadEqual: handleKeypadEqualDown(event, actions); return;
    }
}

void RuleEngine::handleKeyUp(const PhysicalKeyEvent& event, Actions& actions) {
    if (auto side = event.key.commandSide()) {
        handleCommandUp(*side, event.timeMilliseconds, actions);
    } else if (event.key.kind() == PhysicalKey::Kind::keypadEqual) {
        handleKeypadEqualUp(actions);
    }
    heldKeys_.erase(event.key);
}

// MARK: Command keys

void RuleEngine::handleCommandDown(CommandKeySide side, std::int64_t timeMilliseconds, Actions& actions) {
    const bool left = side == CommandKeySide::left;
    const auto plainMode = inputMode(left ? settings_.leftCommandAction : settings_.rightCommandAction, side);
    const auto modifiedMode =
        inputMode(left ? settings_.leftModifiedCommandAction : settings_.rightModifiedCommandAction, side);
    const auto companion = left ? settings_.leftCommandCompanionModifier : settings_.rightCommandCompanionModifier;
    const auto plainDelay = left ? settings_.leftCommandDelayMilliseconds : settings_.rightCommandDelayMilliseconds;
    const auto modifiedDelay =
        left ? settings_.leftModifiedCommandDelayMilliseconds : settings_.rightModifiedCommandDelayMilliseconds;
    auto& graceRecord = pendingModifierGraceCorrections_[caseIndex(side)];
    auto& trackingState = commandTrackingStates_[caseIndex(side)];

    if (modifiedMode && isModifierHeld(companion)) {
        const auto previous = commandPreviousInputMode();
        // The companion may have been caught by accident; keep what a plain press would do, so that
        // releasing the companion within the grace window can still turn this into a plain press.
        if (settings_.modifierGraceWindowMilliseconds >= 1 && plainMode) {
            graceRecord = PendingModifierGraceCorrection{side,     companion,       *modifiedMode, *plainMode, previous,
                                                         timeMilliseconds, modifiedDelay, plainDelay};
        } else {
            graceRecord.reset();
        }
        if (settings_.tracksCommandChords) {
            trackingState = CommandTrackingState{previous, *modifiedMode, modifiedDelay, timeMilliseconds};
            actions.push_back(EngineAction::beginCommandTracking(side));
            return;
        }
        switchInputMode(*modifiedMode, modifiedDelay, side, timeMilliseconds, actions);
        return;
    }

    graceRecord.reset();
    if (!plainMode) return;
    if (settings_.tracksCommandChords) {
        trackingState = CommandTrackingState{commandPreviousInputMode(), *plainMode, plainDelay, timeMilliseconds};
        actions.push_back(EngineAction::beginCommandTracking(side));
        return;
    }
    switchInputMode(*plainMode, plainDelay, side, timeMilliseconds, actions);
}

void RuleEngine::handleCommandUp(CommandKeySide side, std::int64_t timeMilliseconds, Actions& actions) {
    const bool wasUsedAsModifier = commandKeysUsedAsModifier_.contains(side);
    commandKeysUsedAsModifier_.erase(side);
    const auto trackingState = std::exchange(commandTrackingStates_[caseIndex(side)], std::nullopt);
    pendingModifierGraceCorrections_[caseIndex(side)].reset();
    if (!settings_.tracksCommandChords) return;

    actions.push_back(EngineAction::finishCommandTracking(side));
    if (wasUsedAsModifier || !trackingState) return;
    const auto held = saturatingSubtract(timeMilliseconds, trackingState->commandDownTimeMilliseconds);
    if (held > commandTapMaximumHoldMilliseconds) return;
    switchInputMode(trackingState->switchedInputMode, trackingState->delayMilliseconds, side, timeMilliseconds, actions);
}

void RuleEngine::switchInputMode(InputMode mode, std::int64_t delayMilliseconds, CommandKeySide side,
                                 std::int64_t timeMilliseconds, Actions& actions) {
    const auto effectiveDelay = std::max<std::int64_t>(delayMilliseconds, 0);
    const auto effectiveFrom = saturatingAdd(timeMilliseconds, effectiveDelay);
    requestedInputMode_ = RequestedInputMode{mode, side, delayMilliseconds >= 1, effectiveFrom,
                                             saturatingAdd(effectiveFrom, requestedInputModeLifetimeMilliseconds)};
    if (delayMilliseconds > 0) {
        actions.push_back(EngineAction::scheduleInputMode(mode, effectiveDelay, side));
    } else {
        actions.push_back(EngineAction::setInputMode(mode));
    }
}

void RuleEngine::noteNonModifierKeyDown(Actions& actions) {
    if (!settings_.tracksCommandChords) return;
    // Taken from the held keys, not the tracking states: a held Command key without a mode is marked too.
    for (auto side : sides) {
        if (!heldKeys_.containsAnyOf(HeldKeySet::commandBit(side)) || commandKeysUsedAsModifier_.contains(side)) continue;
        commandKeysUsedAsModifier_.insert(side);
        pendingModifierGraceCorrections_[caseIndex(side)].reset();
        if (requestedInputMode_ && requestedInputMode_->isScheduled && requestedInputMode_->commandSide == side) {
            requestedInputMode_.reset();
        }
        actions.push_back(EngineAction::useCommandAsModifier(side));
        actions.push_back(EngineAction::cancelScheduledInputMode(side));
    }
}

bool RuleEngine::isModifierHeld(CompanionModifier modifier) const noexcept {
    return heldKeys_.containsAnyOf(HeldKeySet::companionBits(modifier));
}

std::optional<InputMode> RuleEngine::commandPreviousInputMode() const noexcept {
    // A second Command press while the first is tracked inherits the mode in force before the first.
    for (const auto& state : commandTrackingStates_) {
        if (state && state->previousInputMode) return state->previousInputMode;
    }
    return currentInputMode_;
}

std::int64_t RuleEngine::saturatingAdd(std::int64_t left, std::int64_t right) noexcept {
    std::int64_t sum = 0;
    if (!__builtin_add_overflow(left, right, &sum)) return sum;
    return right > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
}

std::int64_t RuleEngine::saturatingSubtract(std::int64_t left, std::int64_t right) noexcept {
    std::int64_t difference = 0;
    if (!__builtin_sub_overflow(left, right, &difference)) return difference;
    return right < 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
}

// MARK: Held keys

std::uint32_t RuleEngine::HeldKeySet::bit(const PhysicalKey& key) noexcept {
    using Kind = PhysicalKey::Kind;
    auto sideBit = [](bool isLeft) { return isLeft ? 0u : 1u; };
    switch (key.kind()) {
    case Kind::command: return 1u << (0 + sideBit(key.commandSide() == CommandKeySide::left));
    case Kind::shift: return 1u << (2 + sideBit(key.shiftSide() == ShiftKeySide::left));
    case Kind::option: return 1u << (4 + sideBit(key.optionSide() == ModifierKeySide::left));
    case Kind::control: return 1u << (6 + sideBit(key.controlSide() == ModifierKeySide::left));
    case Kind::character: return 0;
    default: return 1u << (8 + static_cast<unsigned>(key.kind()) - static_cast<unsigned>(Kind::keypadPeriod));
    }
}

std::uint32_t RuleEngine::HeldKeySet::companionBits(CompanionModifier modifier) noexcept {
    switch (modifier) {
    case CompanionModifier::shift: return shiftBits;
    case CompanionModifier::option: return optionBits;
    case CompanionModifier::control: return controlBits;
    }
    return 0;
}

void RuleEngine::HeldKeySet::insert(const PhysicalKey& key) {
    if (auto keyBit = bit(key)) {
        bits_ |= keyBit;
    } else if (!contains(key)) {
        characters_.push_back(key);
    }
}

void RuleEngine::HeldKeySet::erase(const PhysicalKey& key) {
    if (auto keyBit = bit(key)) {
        bits_ &= ~keyBit;
        return;
    }
    auto found = std::find(characters_.begin(), characters_.end(), key);
    if (found != characters_.end()) characters_.erase(found);
}

bool RuleEngine::HeldKeySet::contains(const PhysicalKey& key) const {
    if (auto keyBit = bit(key)) return (bits_ & keyBit) != 0;
    return std::find(characters_.begin(), characters_.end(), key) != characters_.end();
}

void RuleEngine::HeldKeySet::clear() noexcept {
    bits_ = 0;
    characters_.clear();
}

std::vector<PhysicalKey> RuleEngine::HeldKeySet::keys() const {
    static const std::array<PhysicalKey, 14> bitKeys{
        PhysicalKey::command(CommandKeySide::left),  PhysicalKey::command(CommandKeySide::right),
        PhysicalKey::shift(ShiftKeySide::left),      PhysicalKey::shift(ShiftKeySide::right),
        PhysicalKey::option(ModifierKeySide::left),  PhysicalKey::option(ModifierKeySide::right),
        PhysicalKey::control(ModifierKeySide::left), PhysicalKey::control(ModifierKeySide::right),
        PhysicalKey::keypadPeriod(),                 PhysicalKey::keypadSlash(),
        PhysicalKey::keypadAsterisk(),               PhysicalKey::keypadHyphen(),
        PhysicalKey::keypadPlus(),                   PhysicalKey::keypadEqual(),
    };
    std::vector<PhysicalKey> result;
    for (std::size_t index = 0; index < bitKeys.size(); ++index) {
        if ((bits_ >> index) & 1u) result.push_back(bitKeys[index]);
    }
    result.insert(result.end(), characters_.begin(), characters_.end());
    return result;
}

} // namespace tessaril
