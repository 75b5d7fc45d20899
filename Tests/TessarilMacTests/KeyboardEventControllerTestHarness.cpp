#include "TessarilMacTests/KeyboardEventControllerTestHarness.hpp"

#include <cstdio>

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
        std::snprintf(text, sizeof text, "pointer %.3f", seconds);
        calls.push_back(text);
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

} // namespace tessaril::testing
