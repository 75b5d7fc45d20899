#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "TessarilCore/Input/CommandKeySide.hpp"
#include "TessarilCore/Input/CompanionModifier.hpp"
#include "TessarilCore/Engine/EngineAction.hpp"
#include "TessarilCore/Engine/EngineEvent.hpp"
#include "TessarilCore/Support/EnumSet.hpp"
#include "TessarilCore/Rules/FixedPhraseAssistSettings.hpp"
#include "TessarilCore/Input/InputMode.hpp"
#include "TessarilCore/Settings/KeyboardPreset.hpp"
#include "TessarilCore/Rules/KeypadShortcutHackKey.hpp"
#include "TessarilCore/Input/PhysicalKey.hpp"
#include "TessarilCore/Input/PhysicalKeyEvent.hpp"
#include "TessarilCore/Engine/RuleEngineLookup.hpp"
#include "TessarilCore/Engine/RuleEngineSettings.hpp"
#include "TessarilCore/Input/Shortcut.hpp"
#include "TessarilCore/Engine/ShortcutAttempt.hpp"
#include "TessarilCore/Rules/TextToolSettings.hpp"
#include "TessarilCore/Rules/WritingAssistSettings.hpp"

namespace tessaril {

// Turns each keyboard event into the ordered list of actions its caller must carry out: Command taps
// into input-mode switches, shortcuts into text tools, fixed phrases, pair insertions or guarded
// presses, keypad keys into text. A plain value with no clock, thread or lock of its own: every time
// is the event's millisecond stamp and every delay is handed back as an action. The keyboard event
// controller owns one and calls it on the event-tap thread under its lock; configuration is written
// through the setters there too, which rebuild the lookup tables so that `handle` stays cheap.
class RuleEngine {
public:
    static constexpr std::int64_t requestedInputModeLifetimeMilliseconds = 400;
    static constexpr std::int64_t commandTapMaximumHoldMilliseconds = 1000;

    // The switch that the release of a tracked Command key will perform.
    struct CommandTrackingState {
        std::optional<InputMode> previousInputMode;
        InputMode switchedInputMode = InputMode::eisu;
        std::int64_t delayMilliseconds = 0;
        std::int64_t commandDownTimeMilliseconds = 0;
        friend bool operator==(const CommandTrackingState&, const CommandTrackingState&) = default;
    };
    // A Command press that took its modified action and may still be turned into a plain one.
    struct PendingModifierGraceCorrection {
        CommandKeySide side = CommandKeySide::left;
        CompanionModifier companionModifier = CompanionModifier::shift;
        InputMode modifiedInputMode = InputMode::eisu;
        InputMode singleInputMode = InputMode::eisu;
        std::optional<InputMode> previousInputMode;
        std::int64_t commandDownTimeMilliseconds = 0;
        std::int64_t modifiedDelayMilliseconds = 0;
        std::int64_t singleDelayMilliseconds = 0;
        friend bool operator==(const PendingModifierGraceCorrection&, const PendingModifierGraceCorrection&) = default;
    };
    // The mode the engine last asked for and the window in which it counts as the mode in force.
    struct RequestedInputMode {
        InputMode mode = InputMode::eisu;
        CommandKeySide commandSide = CommandKeySide::left;
        bool isScheduled = false;
        std::int64_t effectiveFromMilliseconds = 0;
        std::int64_t expiresAtMilliseconds = 0;
        friend bool operator==(const RequestedInputMode&, const RequestedInputMode&) = default;
    };
    // Progress of the double-press guard on one shortcut.
    struct PendingGuard {
        Shortcut shortcut;
        std::int64_t timeMilliseconds = 0;
        std::int64_t completedPressCount = 0;
        friend bool operator==(const PendingGuard&, const PendingGuard&) = default;
    };

    // Default settings of every record, the default preset.
    RuleEngine();
    RuleEngine(RuleEngineSettings settings, WritingAssistSettings writingAssist, TextToolSettings textTools,
               FixedPhraseAssistSettings fixedPhraseAssist, KeyboardPreset activePreset);

    // One event in, the actions in the order the caller must carry them out.
    std::vector<EngineAction> handle(const EngineEvent& event) noexcept;
    // Records the mode the system now shows; the request it fulfils ends.
    void setObservedInputMode(std::optional<InputMode> mode) noexcept;
    // Another key or a pointer button went down: held Command keys become ordinary modifiers.
    std::vector<EngineAction> noteNonModifierKeyDown() noexcept;
    // Forgets held keys, tracking, grace records, guard progress, the "=" combination and the request.
    void resetRuntimeState() noexcept;
    // The mode the writing assists test at `timeMilliseconds`: a request inside its window, else the
    // observed mode.
    std::optional<InputMode> assistInputMode(std::int64_t timeMilliseconds) const noexcept;

    // Configuration, written by the caller whenever the settings, the frontmost application or the
    // keyboard change.
    const RuleEngineSettings& settings() const noexcept { return settings_; }
    const WritingAssistSettings& writingAssist() const noexcept { return writingAssist_; }
    const TextToolSettings& textTools() const noexcept { return textTools_; }
    const FixedPhraseAssistSettings& fixedPhraseAssist() const noexcept { return fixedPhraseAssist_; }
    KeyboardPreset activePreset() const noexcept { return activePreset_; }
    void setSettings(RuleEngineSettings settings);
    void setWritingAssist(WritingAssistSettings writingAssist);
    void setTextTools(TextToolSettings textTools);
    void setFixedPhraseAssist(FixedPhraseAssistSettings fixedPhraseAssist);
    void setActivePreset(KeyboardPreset activePreset) noexcept { activePreset_ = activePreset; }

    // Runtime state, for the caller's diagnostics and for tests.
    std::optional<InputMode> currentInputMode() const noexcept { return currentInputMode_; }
    // The keys currently down: modifiers and keypad keys in kind order, then character keys as pressed.
    std::vector<PhysicalKey> heldKeys() const;
    EnumSet<CommandKeySide> commandKeysUsedAsModifier() const noexcept { return commandKeysUsedAsModifier_; }
    const std::optional<CommandTrackingState>& commandTrackingState(CommandKeySide side) const noexcept {
        return commandTrackingStates_[caseIndex(side)];
    }
    const std::optional<PendingModifierGraceCorrection>& pendingModifierGraceCorrection(CommandKeySide side) const noexcept {
        return pendingModifierGraceCorrections_[caseIndex(side)];
    }
    const std::optional<PendingGuard>& pendingGuard() const noexcept { return pendingGuard_; }
    bool keypadEqualComboIsPending() const noexcept { return keypadEqualComboIsPending_; }
    bool keypadEqualWasUsedAsModifier() const noexcept { return keypadEqualWasUsedAsModifier_; }
    const std::optional<RequestedInputMode>& requestedInputMode() const noexcept { return requestedInputMode_; }

private:
    using Actions = std::vector<EngineAction>;

    // The keys down: one bit per modifier side and keypad key, and the character keys in a short list.
    class HeldKeySet {
    public:
        void insert(const PhysicalKey& key);
        void erase(const PhysicalKey& key);
        bool contains(const PhysicalKey& key) const;
        bool containsAnyOf(std::uint32_t mask) const noexcept { return (bits_ & mask) != 0; }
        void clear() noexcept;
        std::vector<PhysicalKey> keys() const;

        static std::uint32_t bit(const PhysicalKey& key) noexcept;
        static constexpr std::uint32_t commandBits = 0b11;
        static constexpr std::uint32_t shiftBits = 0b11 << 2;
        static constexpr std::uint32_t optionBits = 0b11 << 4;
        static constexpr std::uint32_t controlBits = 0b11 << 6;
        static constexpr std::uint32_t standardModifierBits = commandBits | shiftBits | optionBits | controlBits;
        static std::uint32_t companionBits(CompanionModifier modifier) noexcept;
        static std::uint32_t commandBit(CommandKeySide side) noexcept { return 1u << caseIndex(side); }

    private:
        std::uint32_t bits_ = 0;
        std::vector<PhysicalKey> characters_;
    };

    // Times and delays come from outside; their sums and differences saturate rather than wrap.
    static std::int64_t saturatingAdd(std::int64_t left, std::int64_t right) noexcept;
    static std::int64_t saturatingSubtract(std::int64_t left, std::int64_t right) noexcept;
    static constexpr std::array<CommandKeySide, 2> sides{CommandKeySide::left, CommandKeySide::right};

    // Command keys and input modes (RuleEngine.cpp).
    void handlePhysicalKeyEvent(const PhysicalKeyEvent& event, Actions& actions);
    void handleKeyDown(const PhysicalKeyEvent& event, Actions& actions);
    void handleKeyUp(const PhysicalKeyEvent& event, Actions& actions);
    void handleCommandDown(CommandKeySide side, std::int64_t timeMilliseconds, Actions& actions);
    void handleCommandUp(CommandKeySide side, std::int64_t timeMilliseconds, Actions& actions);
    void switchInputMode(InputMode mode, std::int64_t delayMilliseconds, CommandKeySide side,
                         std::int64_t timeMilliseconds, Actions& actions);
    void noteNonModifierKeyDown(Actions& actions);
    bool isModifierHeld(CompanionModifier modifier) const noexcept;
    std::optional<InputMode> commandPreviousInputMode() const noexcept;

    // Shortcut attempts (RuleEngineShortcuts.cpp).
    void handleShortcutAttempt(const ShortcutAttempt& attempt, Actions& actions);
    bool handleTextToolShortcutAttempt(const ShortcutAttempt& attempt, Actions& actions);
    bool handleFixedPhraseShortcutAttempt(const ShortcutAttempt& attempt, const RuleEngineLookup::TriggerRules& rules,
                                          Actions& actions);
    bool handlePairAssistShortcutAttempt(const ShortcutAttempt& attempt, const RuleEngineLookup::TriggerRules& rules,
                                         Actions& actions);
    bool handleGuardedShortcutAttempt(const ShortcutAttempt& attempt, Actions& actions);
    void answerAssistedShortcut(const ShortcutAttempt& attempt, Actions& actions);

    // Keypad keys (RuleEngineKeypad.cpp).
    void handleKeypadHackKeyDown(const PhysicalKeyEvent& event, KeypadShortcutHackKey key, Actions& actions);
    bool handleKeypadEqualComboKeyDown(const PhysicalKeyEvent& event, KeypadShortcutHackKey key, Actions& actions);
    void handleKeypadShortcutHackDown(const PhysicalKeyEvent& event, KeypadShortcutHackKey key, Actions& actions);
    bool appendKeypadHackOutput(KeypadShortcutHackKey key, Actions& actions) const;
    void handleKeypadEqualDown(const PhysicalKeyEvent& event, Actions& actions);
    void handleKeypadEqualUp(Actions& actions);
    void flushPendingKeypadEqualBeforePassthrough(const PhysicalKey& key, Actions& actions);
    bool keypadEqualComboCanStart() const noexcept;
    bool noStandardModifierIsHeld() const noexcept;
    bool isOnlyCompanionModifierHeld(CompanionModifier modifier) const noexcept;
    void endKeypadEqualCombo() noexcept;

    // Modifier grace (RuleEngineGrace.cpp).
    void modifierGraceActions(const PhysicalKeyEvent& event, Actions& actions);
    void modifierGraceCorrectionActions(CompanionModifier modifier, std::int64_t timeMilliseconds, Actions& actions);
    void expireModifierGraceCorrections(std::int64_t timeMilliseconds) noexcept;

    std::optional<InputMode> currentInputMode_;
    RuleEngineSettings settings_;
    WritingAssistSettings writingAssist_;
    TextToolSettings textTools_;
    FixedPhraseAssistSettings fixedPhraseAssist_;
    KeyboardPreset activePreset_ = keyboard_preset::defaultPreset;
    HeldKeySet heldKeys_;
    EnumSet<CommandKeySide> commandKeysUsedAsModifier_;
    std::array<std::optional<CommandTrackingState>, 2> commandTrackingStates_;
    std::array<std::optional<PendingModifierGraceCorrection>, 2> pendingModifierGraceCorrections_;
    std::optional<PendingGuard> pendingGuard_;
    bool keypadEqualComboIsPending_ = false;
    bool keypadEqualWasUsedAsModifier_ = false;
    std::optional<RequestedInputMode> requestedInputMode_;

    RuleEngineLookup lookup_;
};

} // namespace tessaril
