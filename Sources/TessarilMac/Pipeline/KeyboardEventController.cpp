#include "TessarilMac/Pipeline/KeyboardEventController.hpp"

#include <algorithm>
#include <iterator>

#include "TessarilCore/Settings/TessarilSettingsPerApplication.hpp"
#include "TessarilMac/EventTap/PointerButtonActivity.hpp"

namespace tessaril {
namespace {

constexpr std::uint16_t jisEisuKeyCode = 102;
constexpr std::uint16_t jisKanaKeyCode = 104;

// The modifier flag that stands for a modifier key's family; none for other keys.
std::optional<KeyboardInputEvent::Modifiers> familyFlag(const PhysicalKey& key) {
    switch (key.kind()) {
    case PhysicalKey::Kind::command: return KeyboardInputEvent::Modifiers::command();
    case PhysicalKey::Kind::shift: return KeyboardInputEvent::Modifiers::shift();
    case PhysicalKey::Kind::option: return KeyboardInputEvent::Modifiers::option();
    case PhysicalKey::Kind::control: return KeyboardInputEvent::Modifiers::control();
    default: return std::nullopt;
    }
}

bool containsSuppressionOf(const std::vector<EngineAction>& actions, const PhysicalKey& key) {
    return std::any_of(actions.begin(), actions.end(), [&](const EngineAction& action) {
        const auto* suppression = action.get<EngineAction::SuppressPhysicalKey>();
        return suppression && suppression->key == key;
    });
}

bool containsSuppressionOf(const std::vector<EngineAction>& actions, const Shortcut& shortcut) {
    return std::any_of(actions.begin(), actions.end(), [&](const EngineAction& action) {
        const auto* suppression = action.get<EngineAction::SuppressShortcut>();
        return suppression && suppression->shortcut == shortcut;
    });
}

} // namespace

std::shared_ptr<KeyboardEventController> KeyboardEventController::make(TessarilSettings settings, Callbacks callbacks,
                                                                       Services services) {
    return std::make_shared<KeyboardEventController>(PrivateToken{}, std::move(settings), std::move(callbacks),
                                                     std::move(services));
}

KeyboardEventController::KeyboardEventController(PrivateToken, TessarilSettings settings, Callbacks callbacks,
                                                 Services services)
    : settings_(std::move(settings)),
      callbacks_(std::move(callbacks)),
      mainExecutor_(services.mainExecutor),
      clock_(services.clock),
      diagnostics_(std::move(services.logSink)) {
    if (!callbacks_.cancelPendingModeKeys) callbacks_.cancelPendingModeKeys = [] {};
    KeyboardSideEffectHandlers::TextCallbacks textCallbacks{
        std::move(callbacks_.dispatchTextInsertion),
        std::move(callbacks_.dispatchTextInsertionAndCursorMove),
        std::move(callbacks_.dispatchTextPairInsertion),
        std::move(callbacks_.dispatchTextTool),
        std::move(callbacks_.dispatchFixedPhraseInsertion),
    };
    sideEffectHandlers_ =
        std::make_shared<KeyboardSideEffectHandlers>(std::move(textCallbacks), mainExecutor_, diagnostics_);
    heldPhysicalKeys_.reserve(16);
    deriveEngineConfiguration();
}

KeyboardEventController::~KeyboardEventController() = default;

KeyboardEventController::PointerButtonCheck
KeyboardEventController::systemPointerButtonPressCheck(const platform::EventSystem& eventSystem) {
    return [&eventSystem](double seconds) { return PointerButtonActivity::buttonWentDown(eventSystem, seconds); };
}

// ---- Configuration

// A pure function of the settings copy, the last keyboard and the frontmost application; it runs only
// when one of them changes, never per keystroke, because the engine rebuilds its lookup tables on
// every write.
void KeyboardEventController::deriveEngineConfiguration() {
    std::optional<std::string_view> application;
    if (frontmostApplicationBundleIdentifier_) application = *frontmostApplicationBundleIdentifier_;
    KeyboardPresetReference preset = settings_.presetReference(lastKeyboardIdentifierStorage_);
    RuleEngineSettings ruleEngineSettings = settings_.ruleEngineSettings(preset);
    ruleEngineSettings.doublePressGuard = shortcutGuardSettings(settings_, application);
    ruleEngineSettings.keypadShortcutHacks = keypadShortcutHackSettings(settings_, application);
    engine_.setSettings(std::move(ruleEngineSettings));
    engine_.setActivePreset(preset.builtInPreset().value_or(settings_.activePreset));
    engine_.setWritingAssist(writingAssistSettings(settings_, application));
    engine_.setTextTools(settings_.textTools);
    engine_.setFixedPhraseAssist(fixedPhraseAssistSettings(settings_, application));
}

// ---- Events

KeyboardInputDecision KeyboardEventController::handle(const KeyboardInputEvent& event) noexcept {
    // The system's own posted keystrokes and the JIS mode keys never wait for the lock.
    if (event.isSynthetic) return KeyboardInputDecision::passThrough;
    if (event.kind != KeyboardInputEvent::Kind::modifierFlagsChanged &&
        (event.keyCode == jisEisuKeyCode || event.keyCode == jisKanaKeyCode)) {
        return KeyboardInputDecision::passThrough;
    }
    try {
        std::lock_guard guard(lock_);
        return handleLocked(event);
    } catch (...) {
        // Out of memory is the only way here; a keystroke that cannot be handled is passed on
        // rather than taking the event tap (and the process) down.
        return KeyboardInputDecision::passThrough;
    }
}

KeyboardInputDecision KeyboardEventController::handle(platform::EventType type, const platform::Event& event) noexcept {
    std::optional<KeyboardInputEvent> inputEvent;
    try {
        inputEvent = keyCodeMapper_.inputEvent(event, type);
    } catch (...) {
        return KeyboardInputDecision::passThrough;
    }
    if (!inputEvent) return KeyboardInputDecision::passThrough;
    return handle(*inputEvent);
}

KeyboardInputDecision KeyboardEventController::handleLocked(const KeyboardInputEvent& event) {
    if (isSuspendedStorage_) return KeyboardInputDecision::passThrough;

    if (lastKeyboardIdentifierStorage_ != event.keyboardIdentifier) {
        if (lastKeyboardIdentifierStorage_) resetRuntimeState();
        lastKeyboardIdentifierStorage_ = event.keyboardIdentifier;
        deriveEngineConfiguration();
    }

    const bool isFlagsChanged = event.kind == KeyboardInputEvent::Kind::modifierFlagsChanged;
    std::optional<PhysicalKey> key = keyCodeMapper_.physicalKey(event.keyCode);
    dispatch(reconcileStaleModifierState(event.modifiers, isFlagsChanged ? key : std::nullopt, event.timeMilliseconds));

    bool modifierWasDown = false;
    bool familyHasAnotherHeldKey = false;
    if (key) {
        modifierWasDown = isHeld(*key);
        familyHasAnotherHeldKey = sameModifierFamilyHasAnotherHeldKey(*key);
    } else if (event.kind == KeyboardInputEvent::Kind::keyDown) {
        // Return, Tab, Space, Escape…: still a key pressed while a Command key is held.
        dispatch(engine_.noteNonModifierKeyDown());
    }

    bool suppressKey = false;
    if (auto physicalKeyEvent = keyCodeMapper_.physicalKeyEvent(event, modifierWasDown, familyHasAnotherHeldKey)) {
        noteCommandPointerUse(*physicalKeyEvent);
        Actions actions = engine_.handle(EngineEvent::physicalKey(*physicalKeyEvent));
        if (physicalKeyEvent->phase == KeyPhase::up) {
            eraseHeld(physicalKeyEvent->key);
        } else {
            insertHeld(physicalKeyEvent->key);
        }
        suppressKey = containsSuppressionOf(actions, physicalKeyEvent->key);
        dispatch(std::move(actions));
    }

    // The shortcut reaches the engine even when its key is already being swallowed.
    if (auto attempt = keyCodeMapper_.shortcutAttempt(event)) {
        Actions actions = engine_.handle(EngineEvent::shortcut(*attempt));
        bool suppressShortcut = containsSuppressionOf(actions, attempt->shortcut);
        dispatch(std::move(actions));
        if (suppressKey || suppressShortcut) return KeyboardInputDecision::suppress;
        return KeyboardInputDecision::passThrough;
    }
    return suppressKey ? KeyboardInputDecision::suppress : KeyboardInputDecision::passThrough;
}

// Feeds the engine the release of every held modifier whose family flag has vanished: a release the
// tap never saw (the key went up while another application held the keyboard, or during a reset).
// On a flags-changed event the event's own key is left to the event itself. The releases' actions come
// back as one list, so they make one batch.
KeyboardEventController::Actions KeyboardEventController::reconcileStaleModifierState(
    KeyboardInputEvent::Modifiers modifiers, const std::optional<PhysicalKey>& excluding, std::int64_t timeMilliseconds) {
    Actions actions;
    // Backwards, so that moving the last key into a released key's place skips nothing.
    for (std::size_t index = heldPhysicalKeys_.size(); index-- > 0;) {
        const PhysicalKey held = heldPhysicalKeys_[index];
        auto flag = familyFlag(held);
        if (!flag || modifiers.contains(*flag) || (excluding && held == *excluding)) continue;
        heldPhysicalKeys_[index] = heldPhysicalKeys_.back();
        heldPhysicalKeys_.pop_back();
        Actions released = engine_.handle(EngineEvent::physicalKey(PhysicalKeyEvent{held, KeyPhase::up, timeMilliseconds, false}));
        actions.insert(actions.end(), std::make_move_iterator(released.begin()), std::make_move_iterator(released.end()));
    }
    return actions;
}

// A Command key held across a pointer-button press (a Command-click) served as a modifier, so its
// release must switch nothing; the engine has to learn that before it sees the release.
void KeyboardEventController::noteCommandPointerUse(const PhysicalKeyEvent& event) {
    auto side = event.key.commandSide();
    if (!side) return;
    std::uint64_t now = clock_.uptimeNanoseconds();
    auto& downTime = commandDownUptimeNanoseconds_[caseIndex(*side)];
    if (event.phase == KeyPhase::down) {
        downTime = now;
        return;
    }
    std::optional<std::uint64_t> recorded = downTime;
    downTime.reset();
    if (!recorded || now <= *recorded) return;
    double heldSeconds = static_cast<double>(now - *recorded) / 1'000'000'000.0;
    if (callbacks_.pointerButtonWasPressed && callbacks_.pointerButtonWasPressed(heldSeconds)) {
        dispatch(engine_.noteNonModifierKeyDown());
    }
}

bool KeyboardEventController::isHeld(const PhysicalKey& key) const {
    return std::find(heldPhysicalKeys_.begin(), heldPhysicalKeys_.end(), key) != heldPhysicalKeys_.end();
}

bool KeyboardEventController::sameModifierFamilyHasAnotherHeldKey(const PhysicalKey& key) const {
    if (!key.isModifier()) return false;
    return std::any_of(heldPhysicalKeys_.begin(), heldPhysicalKeys_.end(), [&](const PhysicalKey& held) {
        return held.kind() == key.kind() && !(held == key);
    });
}

void KeyboardEventController::insertHeld(const PhysicalKey& key) {
    if (!isHeld(key)) heldPhysicalKeys_.push_back(key);
}

void KeyboardEventController::eraseHeld(const PhysicalKey& key) {
    auto found = std::find(heldPhysicalKeys_.begin(), heldPhysicalKeys_.end(), key);
    if (found == heldPhysicalKeys_.end()) return;
    *found = std::move(heldPhysicalKeys_.back());
    heldPhysicalKeys_.pop_back();
}

// ---- Side effects

KeyboardEventController::StalenessCheck KeyboardEventController::makeStalenessCheck() {
    std::weak_ptr<KeyboardEventController> weakController = weak_from_this();
    std::uint64_t generation = runtimeGeneration_;
    return [weakController, generation] {
        auto controller = weakController.lock();
        if (!controller) return false;
        std::lock_guard guard(controller->lock_);
        return controller->runtimeGeneration_ == generation;
    };
}

// Immediate mode switches enter the mode-key queue here, on the event-tap thread and in event order;
// everything else with an effect goes to the main queue as one batch for this engine call.
void KeyboardEventController::dispatch(Actions actions) {
    if (actions.empty()) return;
    StalenessCheck isCurrent;
    Actions batch;
    for (auto& action : actions) {
        switch (action.kind()) {
        case EngineAction::Kind::setInputMode:
            if (callbacks_.dispatchInputModeRequest) {
                if (!isCurrent) isCurrent = makeStalenessCheck();
                callbacks_.dispatchInputModeRequest(action.get<EngineAction::SetInputMode>()->mode, isCurrent);
            } else {
                batch.push_back(std::move(action));
            }
            break;
        // An insertText is also the "=" of a pending keypad "=" that another key flushed: that key is
        // answered (passed) at once on this thread, so the "=" from the main queue lands after it.
        // Deliberately kept in this order rather than swallowing and retyping the key.
        case EngineAction::Kind::insertText:
        case EngineAction::Kind::scheduleInputMode:
        case EngineAction::Kind::cancelScheduledInputMode:
        case EngineAction::Kind::recordModifierGraceCorrection:
        case EngineAction::Kind::insertTextAndMoveCursorLeft:
        case EngineAction::Kind::insertTextPair:
        case EngineAction::Kind::performTextTool:
        case EngineAction::Kind::insertFixedPhrase:
            batch.push_back(std::move(action));
            break;
        case EngineAction::Kind::beginCommandTracking:
        case EngineAction::Kind::useCommandAsModifier:
        case EngineAction::Kind::finishCommandTracking:
        case EngineAction::Kind::suppressPhysicalKey:
        case EngineAction::Kind::suppressShortcut:
        case EngineAction::Kind::allowShortcut:
            break;
        }
    }
    if (batch.empty()) return;
    postBatch(std::move(batch), isCurrent ? std::move(isCurrent) : makeStalenessCheck());
}

// One main-queue block for the batch. It and the mode switch it hands the handlers hold the controller
// weakly; the first stale action drops the rest of the batch, text actions included.
void KeyboardEventController::postBatch(Actions batch, StalenessCheck isCurrent) {
    std::weak_ptr<KeyboardEventController> weakController = weak_from_this();
    KeyboardSideEffectHandlers::ModeSwitch modeSwitch = [weakController, isCurrent](InputMode mode) {
        auto controller = weakController.lock();
        if (!controller || !isCurrent()) return;
        if (controller->callbacks_.dispatchInputModeRequest) {
            controller->callbacks_.dispatchInputModeRequest(mode, isCurrent);
        } else if (controller->callbacks_.dispatchInputMode) {
            controller->callbacks_.dispatchInputMode(mode);
        }
    };
    mainExecutor_.post([batch = std::move(batch), isCurrent, weakController, handlers = sideEffectHandlers_,
                        modeSwitch = std::move(modeSwitch)] {
        auto controller = weakController.lock();
        if (!controller) return;
        for (const auto& action : batch) {
            if (!isCurrent()) return;
            handlers->dispatch(action, isCurrent, modeSwitch);
        }
    });
}

void KeyboardEventController::cancelScheduledActionsOnMainThread() {
    if (mainExecutor_.isCurrent()) {
        sideEffectHandlers_->cancelAllScheduledActions();
        return;
    }
    mainExecutor_.post([handlers = sideEffectHandlers_] { handlers->cancelAllScheduledActions(); });
}

// ---- Updates from the application

void KeyboardEventController::updateSettings(TessarilSettings settings) {
    std::lock_guard guard(lock_);
    settings_ = std::move(settings);
    ++runtimeGeneration_;
    callbacks_.cancelPendingModeKeys();
    cancelScheduledActionsOnMainThread();
    deriveEngineConfiguration();
}

void KeyboardEventController::updateFrontmostApplicationBundleIdentifier(std::optional<std::string> bundleIdentifier) {
    std::lock_guard guard(lock_);
    if (bundleIdentifier != frontmostApplicationBundleIdentifier_) resetRuntimeState();
    frontmostApplicationBundleIdentifier_ = std::move(bundleIdentifier);
    deriveEngineConfiguration();
}

void KeyboardEventController::updateObservedInputMode(std::optional<InputMode> mode) {
    std::lock_guard guard(lock_);
    engine_.setObservedInputMode(mode);
}

void KeyboardEventController::resetRuntimeState() {
    std::lock_guard guard(lock_);
    ++runtimeGeneration_;
    callbacks_.cancelPendingModeKeys();
    cancelScheduledActionsOnMainThread();
    heldPhysicalKeys_.clear();
    commandDownUptimeNanoseconds_ = {};
    engine_.resetRuntimeState();
}

void KeyboardEventController::setSuspended(bool isSuspended, std::string_view reason) {
    std::lock_guard guard(lock_);
    if (isSuspended == isSuspendedStorage_) return;
    isSuspendedStorage_ = isSuspended;
    diagnostics_.suspensionChanged(isSuspended, reason);
    resetRuntimeState();
}

std::optional<KeyboardIdentifier> KeyboardEventController::lastKeyboardIdentifier() const {
    std::lock_guard guard(lock_);
    return lastKeyboardIdentifierStorage_;
}

bool KeyboardEventController::isSuspended() const {
    std::lock_guard guard(lock_);
    return isSuspendedStorage_;
}

} // namespace tessaril
