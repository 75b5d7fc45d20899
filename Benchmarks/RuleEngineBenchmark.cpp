// The rule engine sits on the key path: every keystroke of the login session waits for `handle`.
// These benchmarks feed it a realistic mixed typing stream, with the default configuration and with a
// large one, to show that the cost per event does not grow with the number of phrases and rules.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "TessarilCore/Engine/RuleEngine.hpp"

namespace tessaril {
namespace {

using Modifier = ShortcutModifier;

Shortcut characterShortcut(ShortcutModifierSet modifiers, std::string key) {
    return Shortcut{modifiers, Shortcut::Key::character(std::move(key))};
}

const std::vector<std::string> phraseKeys{"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "a", "b", "c",
                                          "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n", "o", "p",
                                          "q", "r", "s", "t", "u", "v", "w", "x", "y", "z", ",", ".", "/"};

// 1000 fixed phrases, 200 pair rules and 26 guard rules (the guard on), keypad hacks and the "="
// combination on, the text tools on.
RuleEngine largeEngine() {
    const std::vector<ShortcutModifierSet> modifierSets{
        {Modifier::control, Modifier::option}, {Modifier::command, Modifier::option}, {Modifier::control, Modifier::shift},
        {Modifier::command, Modifier::control, Modifier::option}, {Modifier::command, Modifier::shift, Modifier::option},
        {Modifier::control, Modifier::option, Modifier::shift}, {Modifier::command, Modifier::control, Modifier::shift},
        {Modifier::option}, {Modifier::option, Modifier::shift}, {Modifier::control},
        {Modifier::command, Modifier::control, Modifier::option, Modifier::shift}, {Modifier::control, Modifier::command},
        {Modifier::command, Modifier::shift}, {Modifier::shift, Modifier::control, Modifier::option},
        {Modifier::command, Modifier::option, Modifier::control}, {Modifier::control, Modifier::option, Modifier::command},
    };
    std::vector<Shortcut> triggers;
    for (const auto& modifiers : modifierSets) {
        for (const auto& key : phraseKeys) triggers.push_back(characterShortcut(modifiers, key));
    }

    FixedPhraseAssistSettings phrases;
    for (std::size_t index = 0; index < 1000; ++index) {
        phrases.rules.emplace_back("", "phrase " + std::to_string(index), true, triggers[index % triggers.size()],
                                   "定型文 " + std::to_string(index));
    }
    WritingAssistSettings writingAssist;
    for (std::size_t index = 0; index < 200; ++index) {
        const auto condition = index % 3 == 0 ? WritingAssistInputModeCondition::kanaOnly
                                              : (index % 3 == 1 ? WritingAssistInputModeCondition::eisuOnly
                                                                : WritingAssistInputModeCondition::anytime);
        writingAssist.pairAssistRules.emplace_back("", "", true, condition, triggers[(index * 7 + 3) % triggers.size()], "「",
                                                   "」");
    }
    RuleEngineSettings settings;
    settings.leftModifiedCommandAction = ModifiedCommandAction::katakana;
    std::vector<ShortcutGuardRule> guardRules;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        guardRules.push_back(ShortcutGuardRule{std::string(1, letter), true, 2, ShortcutGuardTimingPreset::standard,
                                               std::nullopt, keyboard_preset::standardSet});
    }
    settings.doublePressGuard = DoublePressGuardSettings(true, 700, {}, guardRules);
    settings.keypadShortcutHacks.usesKeypadEqualCombo = true;
    for (auto key : allCases<KeypadShortcutHackKey>()) settings.keypadShortcutHacks[key].isEnabled = true;
    TextToolSettings tools;
    tools.plainCopy.isEnabled = true;
    tools.plainPaste.isEnabled = true;
    tools.characterCount.isEnabled = true;
    return RuleEngine(settings, writingAssist, tools, phrases, KeyboardPreset::laptop);
}

// Typing as it comes from the keyboard: words of letters, spaces, Command taps to switch modes,
// Command chords with their shortcut attempts, Control/Option shortcuts and keypad keys with Shift.
std::vector<EngineEvent> typingStream() {
    std::vector<EngineEvent> events;
    std::int64_t time = 0;
    auto key = [&](PhysicalKey physical, KeyPhase phase, std::int64_t advance = 35) {
        time += advance;
        events.push_back(EngineEvent::physicalKey(PhysicalKeyEvent{std::move(physical), phase, time, false}));
    };
    auto attempt = [&](Shortcut shortcut) { events.push_back(EngineEvent::shortcut(ShortcutAttempt{std::move(shortcut), time, false})); };
    auto type = [&](const std::string& letter) {
        key(PhysicalKey::character(letter), KeyPhase::down);
        key(PhysicalKey::character(letter), KeyPhase::up);
    };
    const std::string text = "konnichiha kyouha iitenkidesune ashita mo yoroshiku onegaishimasu";
    const auto leftCommand = PhysicalKey::command(CommandKeySide::left);
    const auto rightCommand = PhysicalKey::command(CommandKeySide::right);
    const auto shift = PhysicalKey::shift(ShiftKeySide::left);
    const auto control = PhysicalKey::control(ModifierKeySide::left);
    const auto option = PhysicalKey::option(ModifierKeySide::left);
    for (int round = 0; round < 8; ++round) {
        for (std::size_t index = 0; index < text.size(); ++index) {
            type(std::string(1, text[index]));
            if (text[index] != ' ') continue;
            switch ((index + static_cast<std::size_t>(round)) % 5) {
            case 0: // a Command tap switches the mode
                key(round % 2 == 0 ? leftCommand : rightCommand, KeyPhase::down, 200);
                key(round % 2 == 0 ? leftCommand : rightCommand, KeyPhase::up, 90);
                break;
            case 1: // Command+C and Command+V as chords
                key(leftCommand, KeyPhase::down);
                for (const char* letter : {"c", "v"}) {
                    key(PhysicalKey::character(letter), KeyPhase::down);
                    attempt(characterShortcut({Modifier::command}, letter));
                    key(PhysicalKey::character(letter), KeyPhase::up);
                }
                key(leftCommand, KeyPhase::up);
                break;
            case 2: // a Control+Option shortcut (a fixed phrase in the large configuration)
                key(control, KeyPhase::down);
                key(option, KeyPhase::down);
                key(PhysicalKey::character("3"), KeyPhase::down);
                attempt(characterShortcut({Modifier::control, Modifier::option}, "3"));
                key(PhysicalKey::character("3"), KeyPhase::up);
                key(option, KeyPhase::up);
                key(control, KeyPhase::up);
                break;
            case 3: // Shift+keypad period and a keypad number row
                key(shift, KeyPhase::down);
                key(PhysicalKey::keypadPeriod(), KeyPhase::down);
                key(PhysicalKey::keypadPeriod(), KeyPhase::up);
                key(shift, KeyPhase::up);
                key(PhysicalKey::keypadPlus(), KeyPhase::down);
                key(PhysicalKey::keypadPlus(), KeyPhase::up);
                break;
            default: // Control+Shift+] (a pair assist in the large configuration) and a shifted letter
                key(control, KeyPhase::down);
                key(shift, KeyPhase::down);
                key(PhysicalKey::character("]"), KeyPhase::down);
                attempt(characterShortcut({Modifier::control, Modifier::shift}, "]"));
                key(PhysicalKey::character("]"), KeyPhase::up);
                key(control, KeyPhase::up);
                key(PhysicalKey::character("a"), KeyPhase::down);
                key(PhysicalKey::character("a"), KeyPhase::up);
                key(shift, KeyPhase::up);
                break;
            }
        }
    }
    return events;
}

void runStream(benchmark::State& state, RuleEngine engine) {
    const auto events = typingStream();
    std::size_t index = 0;
    for (auto _ : state) {
        auto actions = engine.handle(events[index]);
        benchmark::DoNotOptimize(actions);
        if (++index == events.size()) {
            // The stream's clock starts again; so does the engine's state.
            index = 0;
            engine.resetRuntimeState();
        }
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_TypingStreamDefault(benchmark::State& state) { runStream(state, RuleEngine()); }
void BM_TypingStreamLarge(benchmark::State& state) { runStream(state, largeEngine()); }

// One shortcut attempt that no rule answers: what a configuration costs every ordinary shortcut.
void runUnansweredShortcut(benchmark::State& state, RuleEngine engine) {
    const auto event = EngineEvent::shortcut(ShortcutAttempt{characterShortcut({Modifier::command, Modifier::shift}, "-"), 0, false});
    for (auto _ : state) {
        auto actions = engine.handle(event);
        benchmark::DoNotOptimize(actions);
    }
}

void BM_UnansweredShortcutDefault(benchmark::State& state) { runUnansweredShortcut(state, RuleEngine()); }
void BM_UnansweredShortcutLarge(benchmark::State& state) { runUnansweredShortcut(state, largeEngine()); }

// Writing the large configuration, as the controller does on a change of application or keyboard.
void BM_ConfigureLarge(benchmark::State& state) {
    auto engine = largeEngine();
    const auto settings = engine.settings();
    const auto writingAssist = engine.writingAssist();
    const auto phrases = engine.fixedPhraseAssist();
    for (auto _ : state) {
        engine.setSettings(settings);
        engine.setWritingAssist(writingAssist);
        engine.setFixedPhraseAssist(phrases);
    }
}

BENCHMARK(BM_TypingStreamDefault)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_TypingStreamLarge)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_UnansweredShortcutDefault)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_UnansweredShortcutLarge)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_ConfigureLarge)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tessaril
