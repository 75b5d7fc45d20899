#include "TessarilApp/SettingsWindow/WritingAssistShortcutCapture.hpp"

#include <memory>
#include <string>

#include "TessarilApp/AppKit/Control.hpp"
#include "TessarilApp/AppKit/EventMonitors.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutCaptureConversion.hpp"
#include "TessarilApp/SettingsWindow/SettingsWindowController.hpp"
#include "TessarilApp/SettingsWindow/ShortcutCaptureSupport.hpp"
#include "TessarilApp/SettingsWindow/WritingAssistActions.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

using appkit::Event;
using shortcut_capture::KeyOutcome;

void WritingAssistShortcutCapture::beginPairAssistShortcutCapture(appkit::Control& sender) {
    if (sender.identifier().empty()) return;
    SettingsWindowController controller(delegate_);
    controller.stopWritingAssistShortcutCapture();
    // A capture of the other kind would take the same key: it ends first.
    controller.stopShortcutCapture();
    delegate_.writingAssistShortcutCaptureTarget = sender.identifier();
    controller.setEventControllerSuspended(true, shortcut_capture::suspensionReason);

    // The delegate outlives its window and the monitors, which the capture removes before it goes.
    AppDelegate* delegate = &delegate_;
    delegate_.writingAssistShortcutCaptureMonitor = shortcut_capture::addMonitor(delegate_, Event::keyDownMask, [delegate](const Event& event) {
        return WritingAssistShortcutCapture(*delegate).handleWritingAssistShortcutCapture(event);
    });
    delegate_.writingAssistShortcutCancelMonitor =
        shortcut_capture::addMonitor(delegate_, shortcut_capture::mouseDownMask,
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
    const KeyOutcome outcome = shortcut_capture::keyOutcome(event);
    if (outcome == KeyOutcome::keepWaiting) return std::nullopt;
    const std::string ruleID = *delegate_.writingAssistShortcutCaptureTarget;
    controller.stopWritingAssistShortcutCapture();
    if (outcome != KeyOutcome::accept) {
        delegate_.rebuildSettingsWindow();
        if (outcome == KeyOutcome::refuse) showShortcutCaptureFailure(delegate_, event);
        return std::nullopt;
    }
    const auto shortcut = writingAssistShortcut(event);
    WritingAssistActions(delegate_).assignPairAssistShortcut(*shortcut, ruleID);
    return std::nullopt;
}

} // namespace tessaril
