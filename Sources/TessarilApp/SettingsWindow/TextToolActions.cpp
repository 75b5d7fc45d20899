#include "TessarilApp/SettingsWindow/TextToolActions.hpp"

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/SettingsWindow/PopUpSelection.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

bool isOn(const appkit::Control& sender) {
    const auto* button = dynamic_cast<const appkit::Button*>(&sender);
    return button && button->isOn();
}

TextToolShortcutRule& rule(TextToolSettings& tools, TextToolAction action) {
    switch (action) {
    case TextToolAction::plainCopy: return tools.plainCopy;
    case TextToolAction::plainPaste: return tools.plainPaste;
    case TextToolAction::characterCount: return tools.characterCount;
    }
    return tools.plainCopy;
}

} // namespace

void TextToolActions::toggleTextToolEnabled(appkit::Control& sender) {
    const auto action = enumFromRawValue<TextToolAction>(sender.identifier());
    if (!action) return;
    rule(delegate_.settings.textTools, *action).isEnabled = isOn(sender);
    delegate_.persistSettings(true);
}

void TextToolActions::updateCharacterCountHUDPosition(appkit::Control& sender) {
    const auto position = selectedRawValue<CharacterCountHUDPosition>(sender);
    if (!position) return;
    delegate_.settings.textTools.characterCountHUDPosition = *position;
    delegate_.persistSettings(true);
}

void TextToolActions::toggleCharacterCountResultCopy(appkit::Control& sender) {
    delegate_.settings.textTools.copiesCharacterCountResult = isOn(sender);
    delegate_.persistSettings(true);
}

} // namespace tessaril
