// The per-event cost of KeyboardEventController::handle on a typing stream, with the default settings
// document and with a large one (1000 fixed phrases, 100 applications with their own entries, 20 sets).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "Platform/Clock/VirtualUptimeClock.hpp"
#include "Platform/Dispatch/VirtualScheduler.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"
#include "TessarilMac/Pipeline/KeyboardEventController.hpp"

namespace tessaril {
namespace {

using Kind = KeyboardInputEvent::Kind;
using Modifiers = KeyboardInputEvent::Modifiers;

constexpr std::uint16_t leftShift = 56;
constexpr std::uint16_t leftCommand = 55;
constexpr std::uint16_t space = 49;

// The ANSI key code of each lower-case letter.
constexpr std::uint16_t letterKeyCode[26] = {0, 11, 8, 2, 14, 3, 5, 4, 34, 38, 40, 37, 46,
                                             45, 31, 35, 12, 15, 1, 17, 32, 9, 13, 7, 16, 6};

// Typed text with capitals (Shift held: each capital is a shortcut attempt), spaces, and a Command tap
// after every sentence, as a user switching input modes while writing would.
std::vector<KeyboardInputEvent> typingStream() {
    const std::string text =
        "The quick brown fox jumps over the lazy dog. Pack my box with five dozen liquor jugs. "
        "How vexingly quick daft zebras jump. Sphinx of black quartz judge my vow. ";
    auto keyboard = KeyboardIdentifier::keyboardType(40);
    std::vector<KeyboardInputEvent> events;
    std::int64_t time = 1000;
    auto add = [&](Kind kind, std::uint16_t keyCode, Modifiers modifiers) {
        events.push_back(KeyboardInputEvent{kind, keyCode, modifiers, time, false, keyboard, false, keyboard.rawValue});
        time += 40;
    };
    for (char character : text) {
        if (character == ' ') {
            add(Kind::keyDown, space, {});
            add(Kind::keyUp, space, {});
        } else if (character == '.') {
            add(Kind::keyDown, 47, {});
            add(Kind::keyUp, 47, {});
            add(Kind::modifierFlagsChanged, leftCommand, Modifiers::command());
            add(Kind::modifierFlagsChanged, leftCommand, {});
        } else if (character >= 'A' && character <= 'Z') {
            add(Kind::modifierFlagsChanged, leftShift, Modifiers::shift());
            add(Kind::keyDown, letterKeyCode[character - 'A'], Modifiers::shift());
            add(Kind::keyUp, letterKeyCode[character - 'A'], Modifiers::shift());
            add(Kind::modifierFlagsChanged, leftShift, {});
        } else {
            add(Kind::keyDown, letterKeyCode[character - 'a'], {});
            add(Kind::keyUp, letterKeyCode[character - 'a'], {});
        }
    }
    return events;
}

TessarilSettings largeDocument() {
    TessarilSettings settings;
    const ShortcutModifierSet commandOption{ShortcutModifier::command, ShortcutModifier::option};
    for (int index = 0; index < 1000; ++index) {
        std::string letter(1, static_cast<char>('a' + index % 26));
        std::optional<Shortcut> trigger;
        if (index < 26) trigger = Shortcut{commandOption, Shortcut::Key::character(letter)};
        settings.fixedPhraseAssist.rules.emplace_back("PHRASE-" + std::to_string(index), "定型文 " + std::to_string(index),
                                                      true, trigger, "いつもお世話になっております。" + std::to_string(index));
    }
    for (int index = 0; index < 100; ++index) {
        std::string bundle = "com.example.app" + std::to_string(index);
        settings.appFixedPhraseAssistSettings[bundle] =
            AppFixedPhraseAssistSettings{"App " + std::to_string(index), false, settings.fixedPhraseAssist};
        AppKeypadShortcutHackSettings keypad;
        keypad.displayName = "App " + std::to_string(index);
        settings.appKeypadShortcutHackSettings[bundle] = keypad;
    }
    for (int index = 0; index < 20; ++index) {
        std::vector<SettingsSetAppTarget> targets;
        for (int app = index * 5; app < index * 5 + 5; ++app) {
            SettingsSetAppTarget target;
            target.bundleIdentifier = "com.example.app" + std::to_string(app);
            target.displayName = "App " + std::to_string(app);
            targets.push_back(target);
        }
        const std::string id = "SET-" + std::to_string(index);
        settings.fixedPhraseAssistSets.emplace_back(id, "Set " + std::to_string(index), settings.fixedPhraseAssist, targets);
        settings.writingAssistSets.emplace_back(id, "Set " + std::to_string(index), settings.writingAssist, targets);
        settings.shortcutGuardSets.emplace_back(id, "Set " + std::to_string(index), settings.globalShortcutGuard, targets);
    }
    return settings;
}

void handleTypingStream(benchmark::State& state, TessarilSettings settings, std::optional<std::string> frontmost) {
    platform::VirtualUptimeClock clock;
    platform::VirtualScheduler scheduler(clock);
    KeyboardEventController::Callbacks callbacks;
    callbacks.dispatchInputMode = [](InputMode) {};
    callbacks.dispatchInputModeRequest = [](InputMode, KeyboardEventController::StalenessCheck) {};
    callbacks.pointerButtonWasPressed = [](double) { return false; };
    auto controller = KeyboardEventController::make(std::move(settings), std::move(callbacks),
                                                    KeyboardEventController::Services{scheduler, clock, nullptr});
    controller->updateFrontmostApplicationBundleIdentifier(std::move(frontmost));
    const auto events = typingStream();
    std::size_t index = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(controller->handle(events[index]));
        if (++index == events.size()) {
            index = 0;
            state.PauseTiming();
            scheduler.runUntilIdle();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_HandleTypingStream_DefaultDocument(benchmark::State& state) {
    handleTypingStream(state, TessarilSettings(), std::nullopt);
}
BENCHMARK(BM_HandleTypingStream_DefaultDocument)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_HandleTypingStream_LargeDocument(benchmark::State& state) {
    handleTypingStream(state, largeDocument(), "com.example.app42");
}
BENCHMARK(BM_HandleTypingStream_LargeDocument)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
} // namespace tessaril
