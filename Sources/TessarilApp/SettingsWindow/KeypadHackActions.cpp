#include "TessarilApp/SettingsWindow/KeypadHackActions.hpp"

#include <string>
#include <string_view>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/TextField.hpp"
#include "TessarilApp/SettingsWindow/CommandKeyPopups.hpp"
#include "TessarilApp/SettingsWindow/PresetScopeControls.hpp"
#include "TessarilApp/SettingsWindow/SettingsAlerts.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilCore/Settings/TessarilSettingsPerApplication.hpp"

namespace tessaril {

namespace {
constexpr std::string_view scopePrefix = "keypad:";
}

QPointer<QLineEdit>& KeypadHackActions::outputField(AppDelegate& delegate, KeypadShortcutHackKey key) {
    switch (key) {
    case KeypadShortcutHackKey::period: return delegate.keypadPeriodOutputField;
    case KeypadShortcutHackKey::slash: return delegate.keypadSlashOutputField;
    case KeypadShortcutHackKey::asterisk: return delegate.keypadAsteriskOutputField;
    case KeypadShortcutHackKey::hyphen: return delegate.keypadHyphenOutputField;
    case KeypadShortcutHackKey::plus: return delegate.keypadPlusOutputField;
    }
    return delegate.keypadPeriodOutputField;
}

void KeypadHackActions::update(const std::function<void(KeypadShortcutHackSettings&)>& edit) {
    updateKeypadShortcutHackSettings(delegate_.settings, delegate_.selectedKeypadHackAppBundleIdentifier, edit);
    delegate_.persistSettings(true);
}

void KeypadHackActions::toggleKeypadHack(KeypadShortcutHackKey key) {
    update([key](KeypadShortcutHackSettings& hacks) { hacks[key].isEnabled = !hacks[key].isEnabled; });
}

void KeypadHackActions::toggleKeypadEqualCombo() {
    update([](KeypadShortcutHackSettings& hacks) { hacks.usesKeypadEqualCombo = !hacks.usesKeypadEqualCombo; });
}

void KeypadHackActions::updateKeypadHackModifier(KeypadShortcutHackKey key, appkit::Control& popup) {
    const auto modifier = selectedCompanionModifier(popup);
    if (!modifier) return;
    update([key, modifier](KeypadShortcutHackSettings& hacks) { hacks[key].modifier = *modifier; });
}

void KeypadHackActions::updateKeypadHackOutput(KeypadShortcutHackKey key) {
    const QPointer<QLineEdit>& field = outputField(delegate_, key);
    const std::string text = field ? appkit::committedText(*field) : std::string();
    const std::string output = KeypadShortcutHackRule::normalizedOutputText(text);
    if (output.empty()) {
        showInvalidInputAlert(delegate_, "保存できません", "入力内容を1文字以上入れてください。");
        return;
    }
    update([key, &output](KeypadShortcutHackSettings& hacks) {
        hacks[key].outputText = output;
        // The rules of a stored document are cleaned the same way when read back, so the page shows
        // what will persist.
        hacks.normalizeForImport();
    });
}

void KeypadHackActions::toggleKeypadHackPresetScope(appkit::Control& sender) {
    const auto selection = presetScopeSelection(sender);
    const auto* box = dynamic_cast<const appkit::Button*>(&sender);
    if (!selection || !box || !selection->key.starts_with(scopePrefix)) return;
    const auto key = enumFromRawValue<KeypadShortcutHackKey>(std::string_view(selection->key).substr(scopePrefix.size()));
    if (!key) return;
    const bool isOn = box->isOn();
    update([&](KeypadShortcutHackSettings& hacks) {
        hacks[*key].activePresets = updatedPresetScope(hacks[*key].activePresets, selection->preset, isOn);
    });
}

} // namespace tessaril
