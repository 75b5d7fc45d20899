#pragma once

#include "TessarilMac/Pipeline/MacKeyboardActionDispatcher.hpp"
#include "TessarilMac/TextActions/TextActionKeystrokes.hpp"

namespace tessaril {

// The text actions' keystrokes, posted by the keyboard pipeline's dispatcher of synthetic key events.
// Main thread; the dispatcher must outlive it.
class DispatcherKeystrokes final : public TextActionKeystrokes {
public:
    explicit DispatcherKeystrokes(MacKeyboardActionDispatcher& dispatcher) : dispatcher_(dispatcher) {}

    void pressCommandC() override { dispatcher_.pressCommandC(); }
    void pressCommandV() override { dispatcher_.pressCommandV(); }
    void insertText(std::string_view text) override { dispatcher_.insertText(text); }
    void insertTextAndMoveCursorLeft(std::string_view text, int count) override {
        dispatcher_.insertTextAndMoveCursorLeft(text, count);
    }

private:
    MacKeyboardActionDispatcher& dispatcher_;
};

} // namespace tessaril
