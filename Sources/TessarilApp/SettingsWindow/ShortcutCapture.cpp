#include "TessarilApp/SettingsWindow/ShortcutCapture.hpp"

#include <algorithm>
#include <memory>
#include <string>

#include "TessarilApp/AppKit/Control.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseEditorState.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutCaptureConversion.hpp"
#include "TessarilApp/SettingsWindow/SettingsAlerts.hpp"
#include "TessarilApp/SettingsWindow/SettingsWindowController.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/ShortcutCaptureSupport.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilCore/Settings/TessarilSettingsPerApplication.hpp"

namespace tessaril {

namespace {

using appkit::Event;
using shortcut_capture::KeyOutcome;

TextToolShortcutRule& textTool(TextToolSettings& tools, TextToolAction action) {
    switch (action) {
    case TextToolAction::plainCopy: return tools.plainCopy;
    case TextToolAction::plainPaste: return tools.plainPaste;
    case TextToolAction::characterCount: return tools.characterCount;
    }
    return tools.plainCopy;
}

void setTrigger(TessarilSettings& settings, std::optional<std::string_view> appBundleIdentifier, const std::string& ruleID,
                const Shortcut& shortcut) {
    updateFixedPhraseAssistSettings(settings, appBundleIdentifier, [&](FixedPhraseAssistSettings& phrases) {
        const auto rule = std::find_if(phrases.rules.begin(), phrases.rules.end(),
                                       [&](const FixedPhraseRule& candidate) { return candidate.id == ruleID; });
        if (rule != phrases.rules.end()) rule->trigger = shortcut;
    });
}

// The fixed-phrase rule a capture records for; none for a text tool.
std::optional<std::string> fixedPhraseRuleID(const ShortcutCaptureTarget& target) {
    if (const auto* phrase = std::get_if<ShortcutCaptureTarget::FixedPhrase>(&target.value)) return phrase->ruleID;
    if (const auto* phrase = std::get_if<ShortcutCaptureTarget::FixedPhraseDefault>(&target.value)) return phrase->ruleID;
    return std::nullopt;
}

} // namespace

void ShortcutCapture::beginShortcutCapture(appkit::Control& sender) {
    if (sender.identifier().empty()) return;
    const auto target = ShortcutCaptureTarget::parse(sender.identifier());
    if (!target) return;
    if (const auto ruleID = fixedPhraseRuleID(*target); ruleID && !FixedPhraseEditorState(delegate_).requireSavedFixedPhraseRule(*ruleID)) {
        return;
    }

    SettingsWindowController controller(delegate_);
    controller.stopShortcutCapture();
    controller.stopWritingAssistShortcutCapture();
    delegate_.shortcutCaptureTarget = *target;
    controller.setEventControllerSuspended(true, shortcut_capture::suspensionReason);

    // The delegate outlives its window and the monitors, which every capture removes before it goes.
    AppDelegate* delegate = &delegate_;
    delegate_.shortcutCaptureMonitor = shortcut_capture::addMonitor(delegate_, Event::keyDownMask, [delegate](const Event& event) {
        return ShortcutCapture(*delegate).handleShortcutCapture(event);
    });
    delegate_.shortcutCaptureCancelMonitor =
        shortcut_capture::addMonitor(delegate_, shortcut_capture::mouseDownMask, [delegate](const Event& event) -> std::optional<Event> {
            if (delegate->shortcutCaptureTarget) {
                SettingsWindowController windowController(*delegate);
                windowController.stopShortcutCapture();
                // After the click, so it still reaches the control under the pointer.
                windowController.rebuildSettingsWindowLater();
            }
            return event;
        });
    delegate_.rebuildSettingsWindow();
}

std::optional<Event> ShortcutCapture::handleShortcutCapture(const Event& event) {
    if (!delegate_.shortcutCaptureTarget) return event;
    const KeyOutcome outcome = shortcut_capture::keyOutcome(event);
    if (outcome == KeyOutcome::keepWaiting) return std::nullopt;
    const ShortcutCaptureTarget target = *delegate_.shortcutCaptureTarget;
    SettingsWindowController(delegate_).stopShortcutCapture();
    if (outcome != KeyOutcome::accept) {
        delegate_.rebuildSettingsWindow();
        if (outcome == KeyOutcome::refuse) showShortcutCaptureFailure(delegate_, event);
        return std::nullopt;
    }
    assignShortcut(*writingAssistShortcut(event), target);
    return std::nullopt;
}

void ShortcutCapture::assignShortcut(const Shortcut& captured, const ShortcutCaptureTarget& target) {
    const Shortcut shortcut = captured.normalizedToBaseKey();
    const std::string editedRow = delegate_.shortcutRegistryID(target);
    const auto entries = delegate_.shortcutRegistryEntries();
    // An enabled row anywhere blocks the shortcut, whatever its scope.
    const auto duplicate = std::find_if(entries.begin(), entries.end(), [&](const ShortcutRegistryEntry& entry) {
        return entry.id != editedRow && entry.isEnabled && entry.shortcut == shortcut;
    });
    if (duplicate != entries.end()) {
        delegate_.rebuildSettingsWindow();
        showInvalidInputAlert(delegate_, "ショートカットが重複しています",
                              shortcutTitle(shortcut) + " は「" + duplicate->item +
                                  "」で使われています。先に台帳か元の設定で付け替えてください。");
        return;
    }
    TessarilSettings& settings = delegate_.settings;
    if (const auto* tool = std::get_if<ShortcutCaptureTarget::TextTool>(&target.value)) {
        textTool(settings.textTools, tool->action).shortcut = shortcut;
    } else if (const auto* phrase = std::get_if<ShortcutCaptureTarget::FixedPhrase>(&target.value)) {
        std::optional<std::string_view> app;
        if (delegate_.selectedFixedPhraseAppBundleIdentifier) app = *delegate_.selectedFixedPhraseAppBundleIdentifier;
        setTrigger(settings, app, phrase->ruleID, shortcut);
    } else if (const auto* defaultPhrase = std::get_if<ShortcutCaptureTarget::FixedPhraseDefault>(&target.value)) {
        setTrigger(settings, std::nullopt, defaultPhrase->ruleID, shortcut);
    }
    delegate_.persistSettings(true);
}

} // namespace tessaril
