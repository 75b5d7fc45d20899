#include "Doubles/RecordingKeystrokes.hpp"

namespace tessaril {

using Kind = RecordingKeystrokes::Keystroke::Kind;

void RecordingKeystrokes::run(Keystroke keystroke, const std::function<void()>& post) {
    const bool refusedBeforePosting =
        (keystroke.kind == Kind::insertText || keystroke.kind == Kind::insertTextAndMoveCursorLeft) &&
        keystroke.text.empty();
    const bool failing = failNext_ && !refusedBeforePosting;
    if (failing) {
        failNext_ = false;
        events_.setRemainingEventCreations(0);
    }
    auto finish = [&](bool failed) {
        if (failing) events_.setRemainingEventCreations(std::nullopt);
        keystroke.failed = failed;
        keystrokes_.push_back(keystroke);
        if (observer_) observer_(keystroke);
    };
    try {
        post();
    } catch (...) {
        finish(true);
        throw;
    }
    finish(false);
}

void RecordingKeystrokes::pressCommandC() {
    run({Kind::commandC, {}, 0, false}, [this] { dispatcher_.pressCommandC(); });
}

void RecordingKeystrokes::pressCommandV() {
    run({Kind::commandV, {}, 0, false}, [this] { dispatcher_.pressCommandV(); });
}

void RecordingKeystrokes::insertText(std::string_view text) {
    run({Kind::insertText, std::string(text), 0, false}, [this, text] { dispatcher_.insertText(text); });
}

void RecordingKeystrokes::insertTextAndMoveCursorLeft(std::string_view text, int count) {
    run({Kind::insertTextAndMoveCursorLeft, std::string(text), count, false},
        [this, text, count] { dispatcher_.insertTextAndMoveCursorLeft(text, count); });
}

} // namespace tessaril
