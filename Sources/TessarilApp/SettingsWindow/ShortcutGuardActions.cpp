#include "TessarilApp/SettingsWindow/ShortcutGuardActions.hpp"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/TextField.hpp"
#include "TessarilApp/SetsAndRegistry/ApplicationTargetFamily.hpp"
#include "TessarilApp/SettingsWindow/PopUpSelection.hpp"
#include "TessarilApp/SettingsWindow/PresetScopeControls.hpp"
#include "TessarilApp/SettingsWindow/SettingsAlerts.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

constexpr std::string_view scopePrefix = "shortcut:";

bool hasRule(const DoublePressGuardSettings& guard, const std::string& letter) {
    return std::any_of(guard.rules.begin(), guard.rules.end(),
                       [&letter](const ShortcutGuardRule& rule) { return rule.letter == letter; });
}

const ShortcutGuardRule* ruleOf(const DoublePressGuardSettings& guard, const std::string& letter) {
    for (const auto& rule : guard.rules) {
        if (rule.letter == letter) return &rule;
    }
    return nullptr;
}

} // namespace

bool ShortcutGuardActions::isSetMember() const {
    const auto& app = delegate_.selectedShortcutAppBundleIdentifier;
    return app && featureSetNameContainingApp(delegate_.settings, SettingsTab::shortcutGuard, *app);
}

void ShortcutGuardActions::copyInheritedRule(DoublePressGuardSettings& guard, const std::string& letter) const {
    // A set's rules stand alone; only an application's own entry inherits the default rules.
    if (!delegate_.selectedShortcutAppBundleIdentifier || isSetMember() || hasRule(guard, letter)) return;
    if (const ShortcutGuardRule* inherited = ruleOf(delegate_.settings.globalShortcutGuard, letter)) {
        guard.upsertRule(*inherited);
    }
}

void ShortcutGuardActions::updateShortcutRule(const std::string& letter,
                                              const std::function<void(ShortcutGuardRule&)>& change) {
    updateShortcutGuardSettings(delegate_.settings, delegate_.selectedShortcutAppBundleIdentifier,
                                [&](DoublePressGuardSettings& guard) {
                                    copyInheritedRule(guard, letter);
                                    const ShortcutGuardRule* current = ruleOf(guard, letter);
                                    if (!current) return;
                                    ShortcutGuardRule edited = *current;
                                    change(edited);
                                    guard.upsertRule(edited);
                                });
    delegate_.persistSettings(true);
}

void ShortcutGuardActions::addShortcutRule() {
    const std::string text = delegate_.newShortcutLetterField ? appkit::committedText(*delegate_.newShortcutLetterField)
                                                              : std::string();
    const auto rule = ShortcutGuardRule::make(text, true, 2, ShortcutGuardTimingPreset::standard, std::nullopt,
                                              keyboard_preset::standardSet);
    if (!rule) {
        showInvalidInputAlert(delegate_, "追加できません", "⌘と組み合わせる英字を1文字だけ入力してください。");
        return;
    }
    updateShortcutGuardSettings(delegate_.settings, delegate_.selectedShortcutAppBundleIdentifier,
                                [&rule](DoublePressGuardSettings& guard) { guard.upsertRule(*rule); });
    delegate_.persistSettings(true);
}

void ShortcutGuardActions::updateShortcutRuleLetter(appkit::Control& sender) {
    const auto* field = dynamic_cast<const appkit::TextField*>(&sender);
    if (!field || sender.identifier().empty()) return;
    const std::string oldLetter = sender.identifier();
    const std::string newText = field->stringValue();
    const auto& app = delegate_.selectedShortcutAppBundleIdentifier;
    const bool inheritsDefaults = app && !isSetMember();
    bool replaced = false;
    updateShortcutGuardSettings(delegate_.settings, app, [&](DoublePressGuardSettings& guard) {
        DoublePressGuardSettings edited = guard;
        copyInheritedRule(edited, oldLetter);
        if (!edited.replaceCommandLetter(oldLetter, newText)) return;
        replaced = true;
        const auto newLetter = Shortcut::normalizedCommandLetter(newText);
        // The default rule of the old letter would apply again; keep it switched off here.
        if (inheritsDefaults && newLetter != oldLetter &&
            delegate_.settings.globalShortcutGuard.containsCommandLetter(oldLetter) && !hasRule(edited, oldLetter)) {
            edited.upsertRule(ShortcutGuardRule{oldLetter, false, 2, ShortcutGuardTimingPreset::standard, std::nullopt,
                                                keyboard_preset::standardSet});
        }
        guard = std::move(edited);
    });
    if (!replaced) {
        showInvalidInputAlert(delegate_, "変更できません", "キーはA-Zの1文字で、同じ対象内では重複できません。");
    }
    delegate_.persistSettings(true);
}

void ShortcutGuardActions::updateShortcutRulePressCount(appkit::Control& sender) {
    const auto* popup = dynamic_cast<const appkit::PopUpButton*>(&sender);
    if (!popup || sender.identifier().empty() || popup->indexOfSelectedItem() < 0) return;
    const std::string title = popup->selectedItemTitle();
    std::int64_t count = 0;
    const auto [end, error] = std::from_chars(title.data(), title.data() + title.size(), count);
    if (title.empty() || error != std::errc() || end != title.data() + title.size()) return;
    updateShortcutRule(sender.identifier(),
                       [count](ShortcutGuardRule& rule) { rule.pressCount = ShortcutGuardRule::clampedPressCount(count); });
}

void ShortcutGuardActions::updateShortcutRuleTiming(appkit::Control& sender) {
    const auto preset = selectedRawValue<ShortcutGuardTimingPreset>(sender);
    if (!preset || sender.identifier().empty()) return;
    updateShortcutRule(sender.identifier(), [preset](ShortcutGuardRule& rule) {
        rule.timingPreset = *preset;
        if (*preset == ShortcutGuardTimingPreset::custom && !rule.customTimeoutMilliseconds) {
            rule.customTimeoutMilliseconds = defaultTimeoutMilliseconds(ShortcutGuardTimingPreset::custom);
        }
    });
}

void ShortcutGuardActions::updateShortcutRuleCustomSeconds(appkit::Control& sender) {
    const auto* field = dynamic_cast<const appkit::TextField*>(&sender);
    if (!field || sender.identifier().empty()) return;
    const auto milliseconds = DoublePressGuardSettings::clampedTimeoutMillisecondsFromSecondsString(field->stringValue());
    if (!milliseconds) return;
    updateShortcutRule(sender.identifier(), [milliseconds](ShortcutGuardRule& rule) {
        rule.timingPreset = ShortcutGuardTimingPreset::custom;
        rule.customTimeoutMilliseconds = *milliseconds;
    });
}

void ShortcutGuardActions::toggleShortcutRuleEnabled(appkit::Control& sender) {
    const auto* toggle = dynamic_cast<const appkit::Button*>(&sender);
    if (!toggle || sender.identifier().empty()) return;
    const bool isOn = toggle->isOn();
    updateShortcutRule(sender.identifier(), [isOn](ShortcutGuardRule& rule) { rule.isEnabled = isOn; });
}

void ShortcutGuardActions::toggleShortcutGuardPresetScope(appkit::Control& sender) {
    const auto selection = presetScopeSelection(sender);
    const auto* box = dynamic_cast<const appkit::Button*>(&sender);
    if (!selection || !box || !selection->key.starts_with(scopePrefix)) return;
    const bool isOn = box->isOn();
    updateShortcutRule(selection->key.substr(scopePrefix.size()), [&](ShortcutGuardRule& rule) {
        rule.activePresets = updatedPresetScope(rule.activePresets, selection->preset, isOn);
    });
}

void ShortcutGuardActions::toggleShortcutGuardEnabled(appkit::Control& sender) {
    const auto* toggle = dynamic_cast<const appkit::Button*>(&sender);
    if (!toggle) return;
    const bool isOn = toggle->isOn();
    updateShortcutGuardSettings(delegate_.settings, delegate_.selectedShortcutAppBundleIdentifier,
                                [isOn](DoublePressGuardSettings& guard) { guard.isEnabled = isOn; });
    delegate_.persistSettings(true);
}

} // namespace tessaril
