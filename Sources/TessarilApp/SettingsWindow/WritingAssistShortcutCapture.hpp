#pragma once

#include <optional>

#include "TessarilApp/AppKit/Event.hpp"

namespace tessaril {

namespace appkit {
class Control;
}

class AppDelegate;

// Recording a pair rule's trigger: the capture button starts it, the next key press ends it. While it
// runs the keyboard controller is suspended, a local key-down monitor takes every key and a local
// mouse-down monitor ends it on any click. Only one capture of any kind runs at a time. Keeps no state
// of its own (that is the delegate's); main thread only.
class WritingAssistShortcutCapture {
public:
    explicit WritingAssistShortcutCapture(AppDelegate& delegate) : delegate_(delegate) {}

    void beginPairAssistShortcutCapture(appkit::Control& sender);
    // The event to let through, or none to swallow it.
    std::optional<appkit::Event> handleWritingAssistShortcutCapture(const appkit::Event& event);

private:
    AppDelegate& delegate_;
};

} // namespace tessaril
