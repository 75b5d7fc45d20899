#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Platform/Quartz/EventFlags.hpp"
#include "Platform/Quartz/EventSystem.hpp"
#include "TessarilCore/Input/Shortcut.hpp"
#include "TessarilMac/Pipeline/MacKeyboardActionDispatcherError.hpp"

namespace tessaril {

// Types text, moves the caret and presses shortcuts by posting marked synthetic key events at the HID
// event tap, so the system's own tap lets them pass. Keeps no mutable state; called on the main thread.
// Failures throw MacKeyboardActionDispatcherError.
class MacKeyboardActionDispatcher {
public:
    explicit MacKeyboardActionDispatcher(platform::EventSystem& events) : events_(events) {}

    // One key pair carrying the whole text as UTF-8 converted to UTF-16 (invalid bytes become U+FFFD).
    void insertText(std::string_view text);
    void insertTextAndMoveCursorLeft(std::string_view text, int count);
    void moveCursorLeft(int count);
    void pressShortcut(const Shortcut& shortcut);
    void pressCommandC();
    void pressCommandV();

    std::uint16_t leftArrowKeyCode = 123;

private:
    // Posts one marked key-down and key-up; nothing is posted when either cannot be made.
    void pressKey(const platform::EventSource* source, std::uint16_t keyCode, platform::EventFlags flags,
                  const std::u16string* text);

    platform::EventSystem& events_;
};

} // namespace tessaril
