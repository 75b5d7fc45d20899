#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "TessarilCore/Input/CommandKeySide.hpp"
#include "TessarilCore/Input/CompanionModifier.hpp"
#include "TessarilCore/Support/EnumCases.hpp"
#include "TessarilCore/Rules/FixedPhraseInsertion.hpp"
#include "TessarilCore/Input/InputMode.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Input/PhysicalKey.hpp"
#include "TessarilCore/Input/Shortcut.hpp"
#include "TessarilCore/Rules/TextToolAction.hpp"

namespace tessaril {

// The rule engine's only output: one thing its caller must do, in the order the engine lists them.
// Built on the event-tap thread; the caller carries mode changes out there and hands the rest to the
// main queue.
class EngineAction {
public:
    // The cases in their fixed order; `kind()` answers the case of a value.
    enum class Kind {
        setInputMode,
        scheduleInputMode,
        cancelScheduledInputMode,
        recordModifierGraceCorrection,
        beginCommandTracking,
        useCommandAsModifier,
        finishCommandTracking,
        suppressPhysicalKey,
        insertText,
        insertTextAndMoveCursorLeft,
        insertTextPair,
        performTextTool,
        insertFixedPhrase,
        suppressShortcut,
        allowShortcut,
    };

    // Switch the input mode now.
    struct SetInputMode {
        InputMode mode;
        friend bool operator==(const SetInputMode&, const SetInputMode&) = default;
    };
    // Switch after the delay; the delayed switch belongs to that Command side.
    struct ScheduleInputMode {
        InputMode mode;
        std::int64_t delayMilliseconds = 1;
        CommandKeySide commandSide;
        friend bool operator==(const ScheduleInputMode&, const ScheduleInputMode&) = default;
    };
    // Drop the delayed switch of that side, if any.
    struct CancelScheduledInputMode {
        CommandKeySide side;
        friend bool operator==(const CancelScheduledInputMode&, const CancelScheduledInputMode&) = default;
    };
    // A modified Command press was turned back into a plain one; informational.
    struct RecordModifierGraceCorrection {
        CommandKeySide side;
        CompanionModifier companionModifier;
        InputMode from;
        InputMode to;
        std::int64_t overlapMilliseconds = 0;
        friend bool operator==(const RecordModifierGraceCorrection&, const RecordModifierGraceCorrection&) = default;
    };
    // A Command key went down and its switch waits for its release.
    struct BeginCommandTracking {
        CommandKeySide side;
        friend bool operator==(const BeginCommandTracking&, const BeginCommandTracking&) = default;
    };
    // That held Command key is now an ordinary modifier.
    struct UseCommandAsModifier {
        CommandKeySide side;
        friend bool operator==(const UseCommandAsModifier&, const UseCommandAsModifier&) = default;
    };
    // That Command key went up.
    struct FinishCommandTracking {
        CommandKeySide side;
        friend bool operator==(const FinishCommandTracking&, const FinishCommandTracking&) = default;
    };
    // Swallow this physical key event.
    struct SuppressPhysicalKey {
        PhysicalKey key;
        friend bool operator==(const SuppressPhysicalKey&, const SuppressPhysicalKey&) = default;
    };
    // Type the text.
    struct InsertText {
        std::string text;
        friend bool operator==(const InsertText&, const InsertText&) = default;
    };
    // Type the text, then move the caret left `count` characters.
    struct InsertTextAndMoveCursorLeft {
        std::string text;
        std::int64_t count = 0;
        friend bool operator==(const InsertTextAndMoveCursorLeft&, const InsertTextAndMoveCursorLeft&) = default;
    };
    // Wrap the selection in the pair, or insert the pair.
    struct InsertTextPair {
        std::string opening;
        std::string closing;
        friend bool operator==(const InsertTextPair&, const InsertTextPair&) = default;
    };
    // Run the text tool.
    struct PerformTextTool {
        TextToolAction action;
        friend bool operator==(const PerformTextTool&, const PerformTextTool&) = default;
    };
    // Insert the fixed phrase.
    struct InsertFixedPhrase {
        FixedPhraseInsertion insertion;
        friend bool operator==(const InsertFixedPhrase&, const InsertFixedPhrase&) = default;
    };
    // Swallow the shortcut's key-down.
    struct SuppressShortcut {
        Shortcut shortcut;
        friend bool operator==(const SuppressShortcut&, const SuppressShortcut&) = default;
    };
    // Let the shortcut's key-down through.
    struct AllowShortcut {
        Shortcut shortcut;
        friend bool operator==(const AllowShortcut&, const AllowShortcut&) = default;
    };

    // The alternatives stand in the order of `Kind`.
    using Payload = std::variant<SetInputMode, ScheduleInputMode, CancelScheduledInputMode, RecordModifierGraceCorrection,
                                 BeginCommandTracking, UseCommandAsModifier, FinishCommandTracking, SuppressPhysicalKey,
                                 InsertText, InsertTextAndMoveCursorLeft, InsertTextPair, PerformTextTool,
                                 InsertFixedPhrase, SuppressShortcut, AllowShortcut>;

    static EngineAction setInputMode(InputMode mode) { return EngineAction(SetInputMode{mode}); }
    static EngineAction scheduleInputMode(InputMode mode, std::int64_t delayMilliseconds, CommandKeySide commandSide) {
        return EngineAction(ScheduleInputMode{mode, delayMilliseconds, commandSide});
    }
    static EngineAction cancelScheduledInputMode(CommandKeySide side) { return EngineAction(CancelScheduledInputMode{side}); }
    static EngineAction recordModifierGraceCorrection(CommandKeySide side, CompanionModifier companionModifier,
                                                      InputMode from, InputMode to, std::int64_t overlapMilliseconds) {
        return EngineAction(RecordModifierGraceCorrection{side, companionModifier, from, to, overlapMilliseconds});
    }
    static EngineAction beginCommandTracking(CommandKeySide side) { return EngineAction(BeginCommandTracking{side}); }
    static EngineAction useCommandAsModifier(CommandKeySide side) { return EngineAction(UseCommandAsModifier{side}); }
    static EngineAction finishCommandTracking(CommandKeySide side) { return EngineAction(FinishCommandTracking{side}); }
    static EngineAction suppressPhysicalKey(PhysicalKey key) { return EngineAction(SuppressPhysicalKey{std::move(key)}); }
    static EngineAction insertText(std::string text) { return EngineAction(InsertText{std::move(text)}); }
    static EngineAction insertTextAndMoveCursorLeft(std::string text, std::int64_t count) {
        return EngineAction(InsertTextAndMoveCursorLeft{std::move(text), count});
    }
    static EngineAction insertTextPair(std::string opening, std::string closing) {
        return EngineAction(InsertTextPair{std::move(opening), std::move(closing)});
    }
    static EngineAction performTextTool(TextToolAction action) { return EngineAction(PerformTextTool{action}); }
    static EngineAction insertFixedPhrase(FixedPhraseInsertion insertion) {
        return EngineAction(InsertFixedPhrase{std::move(insertion)});
    }
    static EngineAction suppressShortcut(Shortcut shortcut) { return EngineAction(SuppressShortcut{std::move(shortcut)}); }
    static EngineAction allowShortcut(Shortcut shortcut) { return EngineAction(AllowShortcut{std::move(shortcut)}); }

    explicit EngineAction(Payload payload) : payload_(std::move(payload)) {}

    Kind kind() const noexcept { return static_cast<Kind>(payload_.index()); }
    const Payload& payload() const noexcept { return payload_; }
    // The payload when the action is of that case, else null.
    template <class Case> const Case* get() const noexcept { return std::get_if<Case>(&payload_); }

    friend bool operator==(const EngineAction&, const EngineAction&) = default;

private:
    Payload payload_;
};

template <> struct EnumCases<EngineAction::Kind> {
    using Kind = EngineAction::Kind;
    static constexpr std::string_view typeName = "EngineAction";
    static constexpr EnumJSONForm jsonForm = EnumJSONForm::caseObject;
    static constexpr std::array<std::pair<Kind, std::string_view>, 15> cases{{
        {Kind::setInputMode, "setInputMode"},
        {Kind::scheduleInputMode, "scheduleInputMode"},
        {Kind::cancelScheduledInputMode, "cancelScheduledInputMode"},
        {Kind::recordModifierGraceCorrection, "recordModifierGraceCorrection"},
        {Kind::beginCommandTracking, "beginCommandTracking"},
        {Kind::useCommandAsModifier, "useCommandAsModifier"},
        {Kind::finishCommandTracking, "finishCommandTracking"},
        {Kind::suppressPhysicalKey, "suppressPhysicalKey"},
        {Kind::insertText, "insertText"},
        {Kind::insertTextAndMoveCursorLeft, "insertTextAndMoveCursorLeft"},
        {Kind::insertTextPair, "insertTextPair"},
        {Kind::performTextTool, "performTextTool"},
        {Kind::insertFixedPhrase, "insertFixedPhrase"},
        {Kind::suppressShortcut, "suppressShortcut"},
        {Kind::allowShortcut, "allowShortcut"},
    }};
};

// {"case":{"_0":unlabelled payload, "label":labelled payload, …}}; decoding is strict (every payload
// value required).
template <> struct JSONCoding<EngineAction> {
    static Json encode(const EngineAction& action);
    static EngineAction decode(const Json& value);
};

} // namespace tessaril
