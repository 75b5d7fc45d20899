#pragma once

#include <cstdint>

#include "TessarilApp/AppKit/Event.hpp"
#include "TessarilApp/AppKit/EventMonitors.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril::shortcut_capture {

// What both shortcut captures (text tools and phrases; pair rules) share: how a pressed key is read,
// the monitors they install and the reason of their suspension calls. Main thread only.

inline constexpr const char* suspensionReason = "shortcut-capture";
inline constexpr std::uint64_t mouseDownMask =
    appkit::Event::leftMouseDownMask | appkit::Event::rightMouseDownMask | appkit::Event::otherMouseDownMask;

// What a key pressed while a capture runs does: a modifier key alone keeps the capture waiting,
// Escape cancels it, a key that makes no shortcut is refused, any other is the shortcut.
enum class KeyOutcome { keepWaiting, cancel, refuse, accept };
KeyOutcome keyOutcome(const appkit::Event& event);

// Registers a local monitor of the application; dropping the answer removes it.
AppDelegate::EventMonitorToken addMonitor(AppDelegate& delegate, std::uint64_t mask, appkit::EventMonitors::Handler handler);

} // namespace tessaril::shortcut_capture
