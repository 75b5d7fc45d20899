#include "TessarilApp/SettingsWindow/ShortcutCaptureSupport.hpp"

#include <memory>
#include <utility>

#include "TessarilApp/SetsAndRegistry/ShortcutCaptureConversion.hpp"

namespace tessaril::shortcut_capture {

namespace {

using appkit::Event;

constexpr std::uint16_t escapeKeyCode = 53;
// Command, Shift, Caps Lock, Option and Control of either side, and Fn.
constexpr std::uint16_t firstModifierKeyCode = 54;
constexpr std::uint16_t lastModifierKeyCode = 63;

// A monitor's registration: dropping the last copy removes the monitor.
struct MonitorRegistration {
    std::weak_ptr<appkit::EventMonitors> monitors;
    appkit::EventMonitors::Token token;
    MonitorRegistration(std::weak_ptr<appkit::EventMonitors> owner, appkit::EventMonitors::Token registered)
        : monitors(std::move(owner)), token(registered) {}
    ~MonitorRegistration() {
        if (const auto owner = monitors.lock()) owner->removeMonitor(token);
    }
    MonitorRegistration(const MonitorRegistration&) = delete;
    MonitorRegistration& operator=(const MonitorRegistration&) = delete;
};

} // namespace

KeyOutcome keyOutcome(const Event& event) {
    if (event.keyCode == escapeKeyCode) return KeyOutcome::cancel;
    if (event.type == Event::Type::flagsChanged ||
        (event.keyCode >= firstModifierKeyCode && event.keyCode <= lastModifierKeyCode)) {
        return KeyOutcome::keepWaiting;
    }
    return writingAssistShortcut(event) ? KeyOutcome::accept : KeyOutcome::refuse;
}

AppDelegate::EventMonitorToken addMonitor(AppDelegate& delegate, std::uint64_t mask, appkit::EventMonitors::Handler handler) {
    const auto& monitors = delegate.services().userInterface.eventMonitors;
    return std::make_shared<MonitorRegistration>(monitors, monitors->addLocalMonitor(mask, std::move(handler)));
}

} // namespace tessaril::shortcut_capture
