#pragma once

#include <optional>

#include "TessarilApp/AppKit/Event.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutCaptureTarget.hpp"
#include "TessarilCore/Input/Shortcut.hpp"

namespace tessaril {

namespace appkit {
class Control;
}

class AppDelegate;

// Recording a new shortcut for a text tool or a fixed phrase: a capture button (basic page, phrase
// panels, registry) starts it, the next key press ends it and is assigned unless an enabled row of
// the registry already holds it. While it runs the keyboard controller is suspended, a local
// key-down monitor takes every key and a local mouse-down monitor ends it on any click. Starting it
// ends any capture of either kind. Keeps no state of its own (that is the delegate's); main thread
// only.
class ShortcutCapture {
public:
    explicit ShortcutCapture(AppDelegate& delegate) : delegate_(delegate) {}

    // The sender's identifier is the target's string form; anything else does nothing.
    void beginShortcutCapture(appkit::Control& sender);
    // The event to let through, or none to swallow it.
    std::optional<appkit::Event> handleShortcutCapture(const appkit::Event& event);
    // Saves the shortcut on the target, or explains which row already uses it and changes nothing.
    void assignShortcut(const Shortcut& shortcut, const ShortcutCaptureTarget& target);

private:
    AppDelegate& delegate_;
};

} // namespace tessaril
