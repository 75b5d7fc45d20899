#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <condition_variable>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Platform/Clock/SteadyUptimeClock.hpp"
#include "Platform/Dispatch/MainQueueExecutor.hpp"
#include "Platform/Dispatch/SerialExecutor.hpp"
#include "TessarilMac/InputMode/ModeKeyDispatchQueue.hpp"
#include "TessarilMacTests/Pipeline/KeyboardEventControllerTestHarness.hpp"

namespace tessaril::testing {
namespace {

using Kind = KeyboardInputEvent::Kind;

TessarilSettings stressSettings(bool delayed) {
    TessarilSettings settings;
    settings.profiles.laptop.leftCommandDelayMilliseconds = delayed ? 3 : 0;
    settings.keypadShortcutHacks.period.isEnabled = true;
    settings.keypadShortcutHacks.period.outputText = "、";
    return settings;
}

// One round of typing: a left-Command tap (a switch to eisu), Shift with the keypad period (swallowed,
// "、" typed instead), then "a" without flags (which repairs the Shift) down and up.
struct TypedEvent {
    Kind kind;
    std::uint16_t keyCode;
    Modifiers modifiers;
    KeyboardInputDecision answer; // when not suspended
};
const TypedEvent roundOfTyping[] = {
    {Kind::modifierFlagsChanged, key_code::leftCommand, Modifiers::command(), KeyboardInputDecision::passThrough},
    {Kind::modifierFlagsChanged, key_code::leftCommand, noModifiers, KeyboardInputDecision::passThrough},
    {Kind::modifierFlagsChanged, key_code::leftShift, Modifiers::shift(), KeyboardInputDecision::passThrough},
    {Kind::keyDown, key_code::keypadPeriod, Modifiers::shift(), KeyboardInputDecision::suppress},
    {Kind::keyDown, key_code::a, noModifiers, KeyboardInputDecision::passThrough},
    {Kind::keyUp, key_code::a, noModifiers, KeyboardInputDecision::passThrough},
};

KeyboardInputDecision type(KeyboardEventController& controller, const TypedEvent& typed, std::int64_t time,
                           std::int64_t keyboardType = 40) {
    auto keyboard = KeyboardIdentifier::keyboardType(keyboardType);
    return controller.handle(
        KeyboardInputEvent{typed.kind, typed.keyCode, typed.modifiers, time, false, keyboard, false, std::nullopt});
}

// What the controller's callbacks were asked, in order, and whether each ran on the main thread.
class EffectLog {
public:
    explicit EffectLog(std::thread::id mainThread) : mainThread_(mainThread) {}
    void add(std::string effect) {
        std::lock_guard lock(mutex_);
        if (std::this_thread::get_id() != mainThread_) ++offMain_;
        effects_.push_back(std::move(effect));
    }
    std::vector<std::string> effects() const {
        std::lock_guard lock(mutex_);
        return effects_;
    }
    int offMain() const {
        std::lock_guard lock(mutex_);
        return offMain_;
    }

private:
    const std::thread::id mainThread_;
    mutable std::mutex mutex_;
    std::vector<std::string> effects_;
    int offMain_ = 0;
};

KeyboardEventController::Callbacks callbacksInto(EffectLog& log) {
    KeyboardEventController::Callbacks callbacks;
    callbacks.dispatchInputMode = [&log](InputMode mode) { log.add("mode " + std::string(rawValue(mode))); };
    callbacks.pointerButtonWasPressed = [](double) { return false; };
    callbacks.dispatchTextInsertion = [&log](const std::string& text) { log.add("text " + text); };
    callbacks.dispatchTextInsertionAndCursorMove = [&log](const std::string& text, std::int64_t) {
        log.add("textAndLeft " + text);
    };
    callbacks.dispatchTextPairInsertion = [&log](const std::string&, const std::string&) { log.add("pair"); };
    callbacks.dispatchTextTool = [&log](TextToolAction) { log.add("tool"); };
    callbacks.dispatchFixedPhraseInsertion = [&log](const FixedPhraseInsertion&) { log.add("phrase"); };
    return callbacks;
}

void runOn(platform::Executor& executor) {
    std::promise<void> done;
    executor.post([&] { done.set_value(); });
    done.get_future().wait();
}

// Keys arrive on one thread while the main thread keeps updating what does not void pending work (the
// observed input mode, the unchanged frontmost application, the readers): every key gets its answer,
// every switch and every text arrives on the main thread once, in typing order.
TEST(ThreadedKeyboardEventControllerTests, EveryKeyIsCarriedOutOnceOnTheMainThreadWhileTheMainThreadUpdates) {
    Watchdog watchdog(std::chrono::seconds(60), "controller typing");
    platform::SteadyUptimeClock clock;
    RealMainThread main;
    EffectLog log(main.thread.get_id());
    auto controller = KeyboardEventController::make(stressSettings(false), callbacksInto(log),
                                                    KeyboardEventController::Services{main.executor, clock, nullptr});
    main.run([&] { controller->updateFrontmostApplicationBundleIdentifier("com.example.a"); });

    constexpr int rounds = 1000;
    std::atomic<bool> typing{true};
    std::atomic<int> wrongAnswers{0};
    std::thread tapThread([&] {
        for (int round = 0; round < rounds; ++round) {
            std::int64_t time = round * 10;
            for (const auto& typed : roundOfTyping) {
                if (type(*controller, typed, time++) != typed.answer) wrongAnswers.fetch_add(1);
            }
        }
        typing.store(false);
    });
    for (int update = 0; typing.load(); ++update) {
        main.run([&, update] {
            controller->updateObservedInputMode(update % 2 ? InputMode::kana : InputMode::eisu);
            controller->updateFrontmostApplicationBundleIdentifier("com.example.a");
            (void)controller->lastKeyboardIdentifier();
            (void)controller->isSuspended();
        });
    }
    tapThread.join();
    runOn(main.executor); // every batch the keys posted has run

    EXPECT_EQ(wrongAnswers.load(), 0);
    std::vector<std::string> expected;
    for (int round = 0; round < rounds; ++round) {
        expected.push_back("mode eisu");
        expected.push_back("text 、");
    }
    EXPECT_EQ(log.effects(), expected);
    EXPECT_EQ(log.offMain(), 0);
    main.run([&] { controller.reset(); });
}

// The same typing races with everything that voids pending work: settings replaced, the frontmost
// application switched, suspension, resets from the main thread and from a third thread (as the tap
// re-enables itself), keyboard changes; the mode-key queue's worker checks staleness meanwhile. Voided
// work may drop a switch or a text, but none is carried out twice, off its thread or for a key that was
// passed on; afterwards the controller types and switches as before.
TEST(ThreadedKeyboardEventControllerTests, VoidedWorkIsNeverCarriedOutTwiceOrOffItsThread) {
    Watchdog watchdog(std::chrono::seconds(60), "controller stress");
    platform::SteadyUptimeClock clock;
    RealMainThread main;
    platform::SerialExecutor worker("mode-key-worker");
    EffectLog log(main.thread.get_id());
    std::atomic<std::thread::id> tapThreadID;
    std::atomic<int> sent{0}, requests{0}, requestsOffTapOrMain{0};
    std::mutex sentMutex;
    std::condition_variable sentChanged;
    auto queue = std::make_shared<ModeKeyDispatchQueue>(
        worker, [&](InputMode, ModeKeyDispatchQueue::IsCurrent stillCurrent, std::function<void()> finished) {
            if (stillCurrent()) {
                std::lock_guard lock(sentMutex);
                sent.fetch_add(1);
                sentChanged.notify_all();
            }
            finished();
        });

    KeyboardEventController::Callbacks callbacks = callbacksInto(log);
    // Immediate switches come from the tap thread, delayed ones from the main thread once they are due.
    callbacks.dispatchInputModeRequest = [&, queue](InputMode mode, KeyboardEventController::StalenessCheck check) {
        const auto caller = std::this_thread::get_id();
        if (caller != tapThreadID && caller != main.thread.get_id()) requestsOffTapOrMain.fetch_add(1);
        requests.fetch_add(1);
        queue->enqueue(mode, std::move(check));
    };
    callbacks.cancelPendingModeKeys = [queue] { queue->cancelPending(); };
    auto controller = KeyboardEventController::make(stressSettings(false), std::move(callbacks),
                                                    KeyboardEventController::Services{main.executor, clock, nullptr});

    constexpr int rounds = 2000;
    std::atomic<bool> typing{true};
    std::atomic<int> periodsSwallowed{0};
    std::promise<void> tapThreadKnown;
    std::thread tapThread([&] {
        tapThreadKnown.get_future().wait();
        for (int round = 0; round < rounds; ++round) {
            std::int64_t time = round * 10;
            std::int64_t keyboardType = round % 97 == 0 ? 41 : 40;
            for (const auto& typed : roundOfTyping) {
                auto answer = type(*controller, typed, time++, keyboardType);
                if (typed.keyCode == key_code::keypadPeriod && answer == KeyboardInputDecision::suppress) {
                    periodsSwallowed.fetch_add(1);
                }
            }
        }
        typing.store(false);
    });
    tapThreadID = tapThread.get_id();
    tapThreadKnown.set_value();
    std::thread resetter([&] {
        while (typing.load()) {
            controller->resetRuntimeState();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    for (int change = 0; typing.load(); ++change) {
        main.run([&, change] {
            switch (change % 5) {
            case 0: controller->updateSettings(stressSettings(change % 2 == 0)); break;
            case 1: controller->updateFrontmostApplicationBundleIdentifier(change % 3 ? "com.example.a" : "com.example.b"); break;
            case 2: controller->setSuspended(change % 4 == 2, "shortcut-capture"); break;
            case 3: controller->resetRuntimeState(); break;
            case 4: controller->updateObservedInputMode(change % 2 ? InputMode::kana : InputMode::eisu); break;
            }
        });
    }
    tapThread.join();
    resetter.join();
    main.run([&] {
        controller->updateSettings(stressSettings(false));
        controller->setSuspended(false, "settings-window-close");
        controller->resetRuntimeState();
    });
    runOn(main.executor); // what the storm posted has run or found itself void
    runOn(worker);        // no send of a request from before the reset is still under way

    const auto stormEffects = log.effects();
    EXPECT_EQ(std::count(stormEffects.begin(), stormEffects.end(), "text 、"),
              static_cast<std::ptrdiff_t>(stormEffects.size()));
    EXPECT_LE(stormEffects.size(), static_cast<std::size_t>(periodsSwallowed.load()));
    EXPECT_LE(requests.load(), rounds) << "one tap, one switch at most";
    EXPECT_LE(sent.load(), requests.load());
    EXPECT_EQ(log.offMain(), 0);
    EXPECT_EQ(requestsOffTapOrMain.load(), 0);

    // Afterwards typing on this thread switches and types exactly once per round.
    constexpr int quietRounds = 5;
    tapThreadID = std::this_thread::get_id();
    const int requestsBefore = requests.load();
    const int sentBefore = sent.load();
    for (int round = 0; round < quietRounds; ++round) {
        std::int64_t time = rounds * 10 + 1000 + round * 10;
        for (const auto& typed : roundOfTyping) EXPECT_EQ(type(*controller, typed, time++), typed.answer);
    }
    EXPECT_EQ(requests.load(), requestsBefore + quietRounds);
    {
        std::unique_lock lock(sentMutex);
        sentChanged.wait(lock, [&] { return sent.load() >= sentBefore + quietRounds; });
    }
    runOn(worker);
    EXPECT_EQ(sent.load(), sentBefore + quietRounds);
    runOn(main.executor);
    EXPECT_EQ(log.effects().size() - stormEffects.size(), static_cast<std::size_t>(quietRounds));
    EXPECT_EQ(log.offMain(), 0);
    main.run([&] { controller.reset(); });
}

} // namespace
} // namespace tessaril::testing
