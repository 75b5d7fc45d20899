#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Quartz/EventSystem.hpp"
#include "TessarilMac/Pipeline/MacKeyboardActionDispatcher.hpp"
#include "TessarilMac/TextActions/TextActionKeystrokes.hpp"

namespace tessaril {

// The text actions' keystrokes, posted by the real dispatcher into an event system and recorded, failed
// ones included. The next keystroke can be made to fail the way the platform fails: its events cannot
// be created. Thread: the test's main thread.
class RecordingKeystrokes final : public TextActionKeystrokes {
public:
    struct Keystroke {
        enum class Kind { commandC, commandV, insertText, insertTextAndMoveCursorLeft };
        Kind kind = Kind::commandC;
        std::string text;
        int count = 0;
        bool failed = false;
        friend bool operator==(const Keystroke&, const Keystroke&) = default;
    };

    // The event system must outlive the recorder.
    explicit RecordingKeystrokes(platform::EventSystem& events) : events_(events), dispatcher_(events) {}

    // The next keystroke that gets as far as posting fails (an empty text is refused before that).
    void failNextKeystroke() { failNext_ = true; }
    // Called with each keystroke once it has been posted or has failed.
    void setObserver(std::function<void(const Keystroke&)> observer) { observer_ = std::move(observer); }
    const std::vector<Keystroke>& keystrokes() const { return keystrokes_; }

    void pressCommandC() override;
    void pressCommandV() override;
    void insertText(std::string_view text) override;
    void insertTextAndMoveCursorLeft(std::string_view text, int count) override;

private:
    void run(Keystroke keystroke, const std::function<void()>& post);

    platform::EventSystem& events_;
    MacKeyboardActionDispatcher dispatcher_;
    bool failNext_ = false;
    std::function<void(const Keystroke&)> observer_;
    std::vector<Keystroke> keystrokes_;
};

} // namespace tessaril
