#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Clock/UptimeClock.hpp"
#include "Platform/Dispatch/Executor.hpp"
#include "Platform/Quartz/Event.hpp"
#include "Platform/Quartz/EventSystem.hpp"
#include "Platform/Quartz/EventType.hpp"
#include "TessarilCore/Engine/EngineAction.hpp"
#include "TessarilCore/Input/InputMode.hpp"
#include "TessarilCore/Input/KeyboardIdentifier.hpp"
#include "TessarilCore/Input/PhysicalKey.hpp"
#include "TessarilCore/Input/PhysicalKeyEvent.hpp"
#include "TessarilCore/Engine/RuleEngine.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"
#include "TessarilMac/EventTap/CGKeyCodeMapper.hpp"
#include "TessarilMac/Pipeline/KeyboardEventDiagnostics.hpp"
#include "TessarilMac/Pipeline/KeyboardInputDecision.hpp"
#include "TessarilMac/EventTap/KeyboardInputEvent.hpp"
#include "TessarilMac/Pipeline/KeyboardSideEffectHandlers.hpp"

namespace tessaril {

// Where every real keystroke enters the system's logic: keeps the rule engine configured for the
// current keyboard and frontmost application, repairs stale modifier state, feeds the engine, answers
// pass or swallow, and hands the engine's actions to the mode-key queue (at once) or to the main
// executor (in one batch per engine call), each carrying a check that voids it once the runtime state
// has been reset or the settings replaced.
// Threads: `handle` on the event-tap thread; the update operations and `setSuspended` on the main
// thread; `resetRuntimeState` on either. Everything mutable is guarded by `lock_` (recursive: a reset
// runs inside `handle` and inside the frontmost-application update).
// Lock order: `lock_` may be held while taking the mode-key queue's lock (through the request and
// cancel callbacks), never the reverse; nothing waits for another thread while holding `lock_`.
// Made only through `make`: queued work holds the controller weakly.
class KeyboardEventController : public std::enable_shared_from_this<KeyboardEventController> {
public:
    using StalenessCheck = KeyboardSideEffectHandlers::StalenessCheck;
    using PointerButtonCheck = std::function<bool(double seconds)>;

    // The callbacks of the controller, fixed at construction, in the order the application hands them.
    struct Callbacks {
        // Switch the input mode now; used only when there is no request callback.
        std::function<void(InputMode)> dispatchInputMode;
        // Hand a mode switch to the ordered mode-key queue with its staleness check. Called on the
        // event-tap thread under the controller's lock, so it must only enqueue. Empty: none.
        std::function<void(InputMode, StalenessCheck)> dispatchInputModeRequest;
        // Drop mode switches still waiting in that queue; called under the lock on either thread.
        std::function<void()> cancelPendingModeKeys = [] {};
        // Did a pointer button go down within that many seconds; called under the lock.
        PointerButtonCheck pointerButtonWasPressed;
        std::function<void(const std::string&)> dispatchTextInsertion;
        std::function<void(const std::string&, std::int64_t count)> dispatchTextInsertionAndCursorMove;
        std::function<void(const std::string& opening, const std::string& closing)> dispatchTextPairInsertion;
        std::function<void(TextToolAction)> dispatchTextTool;
        std::function<void(const FixedPhraseInsertion&)> dispatchFixedPhraseInsertion;
    };

    // What the controller needs of the platform: the main queue for side effects, the uptime clock
    // for Command hold times, and where the "keyboard" log lines go.
    struct Services {
        platform::Executor& mainExecutor;
        const platform::UptimeClock& clock;
        std::shared_ptr<platform::LogSink> logSink;
    };

    static std::shared_ptr<KeyboardEventController> make(TessarilSettings settings, Callbacks callbacks,
                                                         Services services);

    // Whether any pointer button went down within the given seconds, by the session's combined event
    // state: left, then right, then other button.
    static PointerButtonCheck systemPointerButtonPressCheck(const platform::EventSystem& eventSystem);

    KeyboardEventController(const KeyboardEventController&) = delete;
    KeyboardEventController& operator=(const KeyboardEventController&) = delete;
    ~KeyboardEventController();

    // The answer for one tapped event; event-tap thread.
    KeyboardInputDecision handle(const KeyboardInputEvent& event) noexcept;
    // The same for a Quartz event: events that do not map pass.
    KeyboardInputDecision handle(platform::EventType type, const platform::Event& event) noexcept;

    void updateSettings(TessarilSettings settings);
    void updateFrontmostApplicationBundleIdentifier(std::optional<std::string> bundleIdentifier);
    void updateObservedInputMode(std::optional<InputMode> mode);
    // Voids every piece of pending work and forgets held keys and the engine's runtime state.
    void resetRuntimeState();
    void setSuspended(bool isSuspended, std::string_view reason);

    std::optional<KeyboardIdentifier> lastKeyboardIdentifier() const;
    bool isSuspended() const;

private:
    struct PrivateToken {};

public:
    KeyboardEventController(PrivateToken, TessarilSettings settings, Callbacks callbacks, Services services);

private:
    using Actions = std::vector<EngineAction>;

    void deriveEngineConfiguration();
    KeyboardInputDecision handleLocked(const KeyboardInputEvent& event);
    Actions reconcileStaleModifierState(KeyboardInputEvent::Modifiers modifiers,
                                        const std::optional<PhysicalKey>& excluding, std::int64_t timeMilliseconds);
    void noteCommandPointerUse(const PhysicalKeyEvent& event);
    void dispatch(Actions actions);
    void postBatch(Actions batch, StalenessCheck isCurrent);
    StalenessCheck makeStalenessCheck();
    void cancelScheduledActionsOnMainThread();
    bool isHeld(const PhysicalKey& key) const;
    bool sameModifierFamilyHasAnotherHeldKey(const PhysicalKey& key) const;
    void insertHeld(const PhysicalKey& key);
    void eraseHeld(const PhysicalKey& key);

    mutable std::recursive_mutex lock_;
    RuleEngine engine_;
    CGKeyCodeMapper keyCodeMapper_;
    TessarilSettings settings_;
    std::optional<std::string> frontmostApplicationBundleIdentifier_;
    Callbacks callbacks_;
    std::shared_ptr<KeyboardSideEffectHandlers> sideEffectHandlers_;
    // A handful of keys at most, so a short list scanned in place beats hashing.
    std::vector<PhysicalKey> heldPhysicalKeys_;
    std::array<std::optional<std::uint64_t>, 2> commandDownUptimeNanoseconds_;
    std::uint64_t runtimeGeneration_ = 0;
    // The engine's configuration is always derived for this keyboard and the frontmost application.
    std::optional<KeyboardIdentifier> lastKeyboardIdentifierStorage_;
    bool isSuspendedStorage_ = false;
    platform::Executor& mainExecutor_;
    const platform::UptimeClock& clock_;
    KeyboardEventDiagnostics diagnostics_;
};

} // namespace tessaril
