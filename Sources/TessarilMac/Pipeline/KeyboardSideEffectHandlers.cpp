#include "TessarilMac/Pipeline/KeyboardSideEffectHandlers.hpp"

#include <algorithm>
#include <chrono>
#include <utility>

namespace tessaril {
namespace {

// A callback the controller was not given does nothing.
template <class Callback, class... Arguments> void callIfPresent(const Callback& callback, Arguments&&... arguments) {
    if (callback) callback(std::forward<Arguments>(arguments)...);
}

} // namespace

KeyboardSideEffectHandlers::KeyboardSideEffectHandlers(TextCallbacks callbacks, platform::Executor& mainExecutor,
                                                       KeyboardEventDiagnostics diagnostics)
    : callbacks_(std::move(callbacks)), mainExecutor_(mainExecutor), diagnostics_(std::move(diagnostics)) {}

void KeyboardSideEffectHandlers::dispatch(const EngineAction& action, const StalenessCheck& isCurrent,
                                          const ModeSwitch& dispatchInputMode) {
    using Action = EngineAction;
    switch (action.kind()) {
    case Action::Kind::setInputMode:
        dispatchInputMode(action.get<Action::SetInputMode>()->mode);
        return;
    case Action::Kind::scheduleInputMode: {
        const auto& schedule = *action.get<Action::ScheduleInputMode>();
        scheduleInputMode(schedule.mode, schedule.delayMilliseconds, schedule.commandSide, isCurrent,
                          dispatchInputMode);
        return;
    }
    case Action::Kind::cancelScheduledInputMode:
        cancelScheduledInputMode(action.get<Action::CancelScheduledInputMode>()->side);
        return;
    case Action::Kind::recordModifierGraceCorrection: {
        const auto& correction = *action.get<Action::RecordModifierGraceCorrection>();
        diagnostics_.modifierGraceCorrection(correction.side, correction.companionModifier, correction.from,
                                             correction.to, correction.overlapMilliseconds);
        return;
    }
    case Action::Kind::insertText:
        callIfPresent(callbacks_.dispatchTextInsertion, action.get<Action::InsertText>()->text);
        return;
    case Action::Kind::insertTextAndMoveCursorLeft: {
        const auto& insertion = *action.get<Action::InsertTextAndMoveCursorLeft>();
        callIfPresent(callbacks_.dispatchTextInsertionAndCursorMove, insertion.text, insertion.count);
        return;
    }
    case Action::Kind::insertTextPair: {
        const auto& pair = *action.get<Action::InsertTextPair>();
        callIfPresent(callbacks_.dispatchTextPairInsertion, pair.opening, pair.closing);
        return;
    }
    case Action::Kind::performTextTool:
        callIfPresent(callbacks_.dispatchTextTool, action.get<Action::PerformTextTool>()->action);
        return;
    case Action::Kind::insertFixedPhrase:
        callIfPresent(callbacks_.dispatchFixedPhraseInsertion, action.get<Action::InsertFixedPhrase>()->insertion);
        return;
    case Action::Kind::beginCommandTracking:
    case Action::Kind::useCommandAsModifier:
    case Action::Kind::finishCommandTracking:
    case Action::Kind::suppressPhysicalKey:
    case Action::Kind::suppressShortcut:
    case Action::Kind::allowShortcut:
        return;
    }
}

void KeyboardSideEffectHandlers::scheduleInputMode(InputMode mode, std::int64_t delayMilliseconds,
                                                   CommandKeySide commandSide, StalenessCheck isCurrent,
                                                   ModeSwitch dispatchInputMode) {
    cancelScheduledInputMode(commandSide);
    std::weak_ptr<KeyboardSideEffectHandlers> weakHandlers = weak_from_this();
    auto body = [weakHandlers, mode, commandSide, isCurrent = std::move(isCurrent),
                 dispatchInputMode = std::move(dispatchInputMode)] {
        // A stale item keeps its entry until the side is scheduled again or everything is cancelled.
        if (!isCurrent()) return;
        if (auto handlers = weakHandlers.lock()) handlers->scheduledInputModes_[caseIndex(commandSide)] = {};
        dispatchInputMode(mode);
    };
    auto delay = std::chrono::milliseconds(std::max<std::int64_t>(delayMilliseconds, 0));
    scheduledInputModes_[caseIndex(commandSide)] = mainExecutor_.postAfter(delay, std::move(body));
}

void KeyboardSideEffectHandlers::cancelScheduledInputMode(CommandKeySide side) {
    auto& item = scheduledInputModes_[caseIndex(side)];
    item.cancel();
    item = {};
}

void KeyboardSideEffectHandlers::cancelAllScheduledActions() {
    for (auto& item : scheduledInputModes_) {
        item.cancel();
        item = {};
    }
}

} // namespace tessaril
