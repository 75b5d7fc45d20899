#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "Platform/Dispatch/DelayedWorkItem.hpp"
#include "Platform/Dispatch/Executor.hpp"
#include "TessarilCore/Input/CommandKeySide.hpp"
#include "TessarilCore/Engine/EngineAction.hpp"
#include "TessarilCore/Rules/FixedPhraseInsertion.hpp"
#include "TessarilCore/Input/InputMode.hpp"
#include "TessarilCore/Rules/TextToolAction.hpp"
#include "TessarilMac/Pipeline/KeyboardEventDiagnostics.hpp"

namespace tessaril {

// Carries out the engine's deferred actions for the keyboard event controller: the delayed mode switch
// of each Command side and its cancellation, the grace-correction log line and the five text actions
// that call back into the application shell. Created by the controller; used only on the main thread.
class KeyboardSideEffectHandlers : public std::enable_shared_from_this<KeyboardSideEffectHandlers> {
public:
    // Whether the controller's runtime state is still the one the work was decided under.
    using StalenessCheck = std::function<bool()>;
    // Switches to a mode, unless the controller is gone or the work has gone stale.
    using ModeSwitch = std::function<void(InputMode)>;

    struct TextCallbacks {
        std::function<void(const std::string&)> dispatchTextInsertion;
        std::function<void(const std::string&, std::int64_t)> dispatchTextInsertionAndCursorMove;
        std::function<void(const std::string&, const std::string&)> dispatchTextPairInsertion;
        std::function<void(TextToolAction)> dispatchTextTool;
        std::function<void(const FixedPhraseInsertion&)> dispatchFixedPhraseInsertion;
    };

    KeyboardSideEffectHandlers(TextCallbacks callbacks, platform::Executor& mainExecutor,
                               KeyboardEventDiagnostics diagnostics);
    KeyboardSideEffectHandlers(const KeyboardSideEffectHandlers&) = delete;
    KeyboardSideEffectHandlers& operator=(const KeyboardSideEffectHandlers&) = delete;

    // One action of a main-queue batch; the batch has already checked `isCurrent` for it.
    void dispatch(const EngineAction& action, const StalenessCheck& isCurrent, const ModeSwitch& dispatchInputMode);
    // At most one delayed switch per Command side is pending: a new one replaces the old.
    void scheduleInputMode(InputMode mode, std::int64_t delayMilliseconds, CommandKeySide commandSide,
                           StalenessCheck isCurrent, ModeSwitch dispatchInputMode);
    void cancelScheduledInputMode(CommandKeySide side);
    void cancelAllScheduledActions();

private:
    TextCallbacks callbacks_;
    platform::Executor& mainExecutor_;
    KeyboardEventDiagnostics diagnostics_;
    // The pending delayed switch of each side; a default item stands for none.
    std::array<platform::DelayedWorkItem, 2> scheduledInputModes_;
};

} // namespace tessaril
