#pragma once

// Shared vocabulary of the rule-engine tests: events by name.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "TessarilCore/Engine/EngineAction.hpp"
#include "TessarilCore/Engine/EngineEvent.hpp"
#include "TessarilCore/Engine/RuleEngine.hpp"

namespace tessaril {

namespace engine_test {

using A = EngineAction;
using Actions = std::vector<EngineAction>;
using Side = CommandKeySide;

inline PhysicalKey command(Side side) { return PhysicalKey::command(side); }
inline PhysicalKey leftCommand() { return PhysicalKey::command(Side::left); }
inline PhysicalKey rightCommand() { return PhysicalKey::command(Side::right); }
inline PhysicalKey leftShift() { return PhysicalKey::shift(ShiftKeySide::left); }
inline PhysicalKey rightShift() { return PhysicalKey::shift(ShiftKeySide::right); }
inline PhysicalKey leftOption() { return PhysicalKey::option(ModifierKeySide::left); }
inline PhysicalKey leftControl() { return PhysicalKey::control(ModifierKeySide::left); }
inline PhysicalKey character(std::string text) { return PhysicalKey::character(std::move(text)); }

inline EngineEvent down(PhysicalKey key, std::int64_t time, bool isRepeat = false) {
    return EngineEvent::physicalKey(PhysicalKeyEvent{std::move(key), KeyPhase::down, time, isRepeat});
}
inline EngineEvent up(PhysicalKey key, std::int64_t time) {
    return EngineEvent::physicalKey(PhysicalKeyEvent{std::move(key), KeyPhase::up, time, false});
}
inline EngineEvent attempt(Shortcut shortcut, std::int64_t time, bool isRepeat = false) {
    return EngineEvent::shortcut(ShortcutAttempt{std::move(shortcut), time, isRepeat});
}

inline Shortcut shortcut(ShortcutModifierSet modifiers, std::string key) {
    return Shortcut{modifiers, Shortcut::Key::character(std::move(key))};
}
inline Shortcut commandLetter(std::string letter) { return shortcut({ShortcutModifier::command}, std::move(letter)); }

// One event of a script and the actions it must answer.
struct ScriptStep {
    EngineEvent event;
    Actions expected;
};

// Feeds the steps in order and checks each answer, naming the failing step.
inline void runScript(RuleEngine& engine, const std::vector<ScriptStep>& steps, const std::string& label = {}) {
    for (std::size_t index = 0; index < steps.size(); ++index) {
        EXPECT_EQ(engine.handle(steps[index].event), steps[index].expected)
            << label << " step " << index << ": " << coding::encode(steps[index].event).dump();
    }
}

} // namespace engine_test
} // namespace tessaril
