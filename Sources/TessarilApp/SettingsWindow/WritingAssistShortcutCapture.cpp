#include "TessarilApp/SettingsWindow/WritingAssistShortcutCapture.hpp"

#include <memory>
#include <string>

#include "TessarilApp/AppKit/Control.hpp"
#include "TessarilApp/AppKit/EventMonitors.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutCaptureConversion.hpp"
#include "TessarilApp/SettingsWindow/SettingsWindowController.hpp"
#include "TessarilApp/SettingsWindow/WritingAssistActions.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

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

AppDelegate::EventMonitorToken addMonitor(AppDelegate& delegate, std::uint64_t mask, appkit::EventMonitors::Handler handler) {
    const auto& monitors = delegate.services().userInterface.eventMonitors;
    return std::make_shared<MonitorRegistration>(monitors, monitors->addLocalMonitor(mask, std::move(handler)));
}

} // namespace

void WritingAssistShortcutCapture::beginPairAssistShortcutCapture(appkit::Control& sender) {
    if (sender.identifier().empty()) return;
    SettingsWindowController controller(delegate_);
    controller.stopWritingAssistShortcutCapture();
    // A capture of the other kind would take the same key: it ends first.
    controller.stopShortcutCapture();
    delegate_.writingAssistShortcutCaptureTarget = sender.identifier();
    controller.setEventControllerSuspended(true, "shortcut-capture");

    // The delegate outlives its window and the monitors, which the capture removes before it goes.
    AppDelegate* delegate = &delegate_;
    delegate_.writingAssistShortcutCaptureMonitor = addMonitor(delegate_, Event::keyDownMask, [delegate](const Event& event) {
        return WritingAssistShortcutCapture(*delegate).handleWritingAssistShortcutCapture(event);
    });
    delegate_.writingAssistShortcutCancelMonitor =
        addMonitor(delegate_, Event::leftMouseDownMask | Event::rightMouseDownMask | Event::otherMouseDownMask,
                   [delegate](const Event& event) -> std::optional<Event> {
                       if (delegate->writingAssistShortcutCaptureTarget) {
                           SettingsWindowController windowController(*delegate);
                           windowController.stopWritingAssistShortcutCapture();
                           // After the click, so it still reaches the control under the pointer.
                           windowController.rebuildSettingsWindowLater();
                       }
                       return event;
                   });
    delegate_.rebuildSettingsWindow();
}

std::optional<Event> WritingAssistShortcutCapture::handleWritingAssistShortcutCapture(const Event& event) {
    if (!delegate_.writingAssistShortcutCaptureTarget) return event;
    SettingsWindowController controller(delegate_);
    if (event.type == Event::Type::flagsChanged ||
        (event.keyCode >= firstModifierKeyCode && event.keyCode <= lastModifierKeyCode)) {
        return std::nullopt;
    }
    const std::string ruleID = *delegate_.writingAssistShortcutCaptureTarget;
    if (event.keyCode == escapeKeyCode) {
        controller.stopWritingAssistShortcutCapture();
        delegate_.rebuildSettingsWindow();
        return std::nullopt;
    }
    const auto shortcut = writingAssistShortcut(event);
    controller.stopWritingAssistShortcutCapture();
    if (!shortcut) {
        delegate_.rebuildSettingsWindow();
        showShortcutCaptureFailure(delegate_, event);
        return std::nullopt;
    }
    WritingAssistActions(delegate_).assignPairAssistShortcut(*shortcut, ruleID);
    return std::nullopt;
}

} // namespace tessaril
