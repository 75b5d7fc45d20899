#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "Platform/Clock/SteadyUptimeClock.hpp"
#include "Platform/Dispatch/MainQueueExecutor.hpp"
#include "Platform/Dispatch/SerialExecutor.hpp"
#include "TessarilMac/InputMode/ModeKeyDispatchQueue.hpp"
#include "TessarilMacTests/Pipeline/KeyboardEventControllerTestHarness.hpp"

namespace tessaril::testing {
namespace {


TessarilSettings stressSettings(bool delayed) {
    TessarilSettings settings;
    settings.profiles.laptop.leftCommandDelayMilliseconds = delayed ? 3 : 0;
    settings.keypadShortcutHacks.period.isEnabled = true;
    settings.keypadShortcutHacks.period.outputText = "、";
    return settings;
}

// Key events arrive on one thread while the main thread replaces settings, switches the frontmost
// application and the suspension and resets, and a third thread resets as the tap does when it is
// re-enabled; the mode-key queue's worker checks staleness meanwhile.
TEST(ThreadedKeyboardEventControllerTests, EventsRaceWithEveryUpdate) {
    Watchdog watchdog(std::chrono::seconds(60), "controller stress");
    platform::SteadyUptimeClock clock;
    RealMainThread main;
    platform::SerialExecutor worker("mode-key-worker");
    std::atomic<int> sent{0}, switchedOnMain{0}, typed{0};
    auto queue = std::make_shared<ModeKeyDispatchQueue>(
        worker, [&](InputMode, ModeKeyDispatchQueue::IsCurrent stillCurrent, std::function<void()> finished) {
            if (stillCurrent()) sent.fetch_add(1);
            finished();
        });

    KeyboardEventController::Callbacks callbacks;
    callbacks.dispatchInputMode = [&](InputMode) { switchedOnMain.fetch_add(1); };
    callbacks.dispatchInputModeRequest = [queue](InputMode mode, KeyboardEventController::StalenessCheck check) {
        queue->enqueue(mode, std::move(check));
    };
    callbacks.cancelPendingModeKeys = [queue] { queue->cancelPending(); };
    callbacks.pointerButtonWasPressed = [](double) { return false; };
    callbacks.dispatchTextInsertion = [&](const std::string&) { typed.fetch_add(1); };
    callbacks.dispatchTextInsertionAndCursorMove = [](const std::string&, std::int64_t) {};
    callbacks.dispatchTextPairInsertion = [](const std::string&, const std::string&) {};
    callbacks.dispatchTextTool = [](TextToolAction) {};
    callbacks.dispatchFixedPhraseInsertion = [](const FixedPhraseInsertion&) {};
    auto controller = KeyboardEventController::make(stressSettings(false), std::move(callbacks),
                                                    KeyboardEventController::Services{main.executor, clock, nullptr});

    constexpr int rounds = 4000;
    std::atomic<bool> injecting{true};
    std::atomic<int> answered{0};
    std::thread injector([&] {
        auto send = [&](KeyboardInputEvent::Kind kind, std::uint16_t keyCode, Modifiers modifiers, std::int64_t time,
                        std::int64_t keyboardType) {
            auto keyboard = KeyboardIdentifier::keyboardType(keyboardType);
            controller->handle(KeyboardInputEvent{kind, keyCode, modifiers, time, false, keyboard, false, std::nullopt});
            answered.fetch_add(1);
        };
        using Kind = KeyboardInputEvent::Kind;
        for (int round = 0; round < rounds; ++round) {
            std::int64_t time = round * 10;
            std::int64_t keyboardType = round % 97 == 0 ? 41 : 40;
            send(Kind::modifierFlagsChanged, key_code::leftCommand, Modifiers::command(), time, keyboardType);
            send(Kind::modifierFlagsChanged, key_code::leftCommand, noModifiers, time + 1, keyboardType);
            send(Kind::modifierFlagsChanged, key_code::leftShift, Modifiers::shift(), time + 2, keyboardType);
            send(Kind::keyDown, key_code::keypadPeriod, Modifiers::shift(), time + 3, keyboardType);
            send(Kind::keyDown, key_code::a, noModifiers, time + 4, keyboardType);  // repairs the Shift
            send(Kind::keyUp, key_code::a, noModifiers, time + 5, keyboardType);
        }
        injecting.store(false);
    });
    std::thread resetter([&] {
        while (injecting.load()) {
            controller->resetRuntimeState();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    int change = 0;
    while (injecting.load()) {
        main.run([&, change] {
            switch (change % 5) {
            case 0: controller->updateSettings(stressSettings(change % 2 == 0)); break;
            case 1: controller->updateFrontmostApplicationBundleIdentifier(change % 3 ? "com.example.a" : "com.example.b"); break;
            case 2: controller->setSuspended(change % 4 == 2, "shortcut-capture"); break;
            case 3: controller->resetRuntimeState(); break;
            case 4: controller->updateObservedInputMode(change % 2 ? InputMode::kana : InputMode::eisu); break;
            }
        });
        ++change;
    }
    injector.join();
    resetter.join();
    main.run([&] { controller->setSuspended(false, "settings-window-close"); });

    EXPECT_EQ(answered.load(), rounds * 6);
    EXPECT_GT(change, 0);
    // After the storm the controller still works: a tap switches through the queue.
    int sentBefore = sent.load();
    std::int64_t time = rounds * 10 + 1000;
    auto keyboard = KeyboardIdentifier::keyboardType(40);
    controller->handle({KeyboardInputEvent::Kind::modifierFlagsChanged, key_code::leftCommand, Modifiers::command(),
                        time, false, keyboard, false, std::nullopt});
    controller->handle({KeyboardInputEvent::Kind::modifierFlagsChanged, key_code::leftCommand, noModifiers, time + 50,
                        false, keyboard, false, std::nullopt});
    for (int wait = 0; wait < 2000 && sent.load() == sentBefore; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(sent.load(), sentBefore + 1);
    main.run([&] { controller.reset(); });
}

} // namespace
} // namespace tessaril::testing
