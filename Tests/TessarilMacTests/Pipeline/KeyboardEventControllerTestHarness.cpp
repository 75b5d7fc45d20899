#include "TessarilMacTests/Pipeline/KeyboardEventControllerTestHarness.hpp"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <future>

namespace tessaril::testing {

ControllerHarness::ControllerHarness(TessarilSettings settings, bool withRequestCallback) {
    KeyboardEventController::Callbacks callbacks;
    callbacks.dispatchInputMode = [this](InputMode mode) { calls.push_back("mode " + std::string(rawValue(mode))); };
    if (withRequestCallback) {
        callbacks.dispatchInputModeRequest = [this](InputMode mode, KeyboardEventController::StalenessCheck check) {
            calls.push_back("request " + std::string(rawValue(mode)));
            requestChecks.push_back(std::move(check));
        };
    }
    callbacks.cancelPendingModeKeys = [this] { calls.push_back("cancelPending"); };
    callbacks.pointerButtonWasPressed = [this](double seconds) {
        char text[32];
        const auto written = std::to_chars(text, text + sizeof text, seconds, std::chars_format::fixed, 3);
        calls.push_back("pointer " + std::string(text, written.ptr));
        return pointerButtonAnswer;
    };
    callbacks.dispatchTextInsertion = [this](const std::string& text) { calls.push_back("text " + text); };
    callbacks.dispatchTextInsertionAndCursorMove = [this](const std::string& text, std::int64_t count) {
        calls.push_back("textAndLeft " + text + " " + std::to_string(count));
    };
    callbacks.dispatchTextPairInsertion = [this](const std::string& opening, const std::string& closing) {
        calls.push_back("pair " + opening + " " + closing);
    };
    callbacks.dispatchTextTool = [this](TextToolAction action) { calls.push_back("tool " + std::string(rawValue(action))); };
    callbacks.dispatchFixedPhraseInsertion = [this](const FixedPhraseInsertion& insertion) {
        calls.push_back("phrase " + insertion.plainText);
    };
    controller = KeyboardEventController::make(std::move(settings), std::move(callbacks),
                                               KeyboardEventController::Services{scheduler, clock, logSink});
}

KeyboardInputDecision ControllerHarness::send(KeyboardInputEvent::Kind kind, std::uint16_t keyCode, Modifiers modifiers,
                                              std::int64_t timeMilliseconds, std::int64_t keyboardType,
                                              bool isSynthetic) {
    if (runsDueWorkBeforeEachEvent) scheduler.advanceTo(static_cast<std::uint64_t>(timeMilliseconds));
    auto keyboard = KeyboardIdentifier::keyboardType(keyboardType);
    KeyboardInputEvent event{kind, keyCode, modifiers, timeMilliseconds, false, keyboard, isSynthetic, keyboard.rawValue};
    return controller->handle(event);
}

KeyboardInputDecision ControllerHarness::flags(std::uint16_t keyCode, Modifiers modifiers, std::int64_t timeMilliseconds,
                                               std::int64_t keyboardType) {
    return send(KeyboardInputEvent::Kind::modifierFlagsChanged, keyCode, modifiers, timeMilliseconds, keyboardType, false);
}

KeyboardInputDecision ControllerHarness::down(std::uint16_t keyCode, Modifiers modifiers, std::int64_t timeMilliseconds,
                                              std::int64_t keyboardType, bool isSynthetic) {
    return send(KeyboardInputEvent::Kind::keyDown, keyCode, modifiers, timeMilliseconds, keyboardType, isSynthetic);
}

KeyboardInputDecision ControllerHarness::up(std::uint16_t keyCode, Modifiers modifiers, std::int64_t timeMilliseconds,
                                            std::int64_t keyboardType) {
    return send(KeyboardInputEvent::Kind::keyUp, keyCode, modifiers, timeMilliseconds, keyboardType, false);
}

void ControllerHarness::tapLeftCommand(std::int64_t downMilliseconds, std::int64_t holdMilliseconds,
                                       std::int64_t keyboardType) {
    flags(key_code::leftCommand, Modifiers::command(), downMilliseconds, keyboardType);
    flags(key_code::leftCommand, noModifiers, downMilliseconds + holdMilliseconds, keyboardType);
}

std::vector<std::string> ControllerHarness::takeCalls() {
    std::vector<std::string> taken;
    taken.swap(calls);
    return taken;
}

std::vector<std::string> ControllerHarness::drainCalls() {
    scheduler.runUntilIdle();
    return takeCalls();
}

std::vector<std::string> ControllerHarness::keyboardLog() const { return logSink->messages("keyboard"); }

void RealMainThread::run(const std::function<void()>& body) {
    std::promise<void> done;
    executor.post([&] {
        body();
        done.set_value();
    });
    done.get_future().wait();
}

RealMainThread::~RealMainThread() {
    executor.stop();
    thread.join();
}

Watchdog::Watchdog(std::chrono::seconds limit, std::string what)
    : thread_([this, limit, what = std::move(what)] {
          std::unique_lock lock(mutex_);
          if (finished_.wait_for(lock, limit, [this] { return done_; })) return;
          std::fprintf(stderr, "watchdog: %s did not finish within %lld s (deadlock?)\n", what.c_str(),
                       static_cast<long long>(limit.count()));
          std::abort();
      }) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard lock(mutex_);
        done_ = true;
    }
    finished_.notify_all();
    thread_.join();
}

} // namespace tessaril::testing
