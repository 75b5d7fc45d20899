#include "TessarilApp/SettingsWindow/CommandKeyActions.hpp"

#include <type_traits>

#include "TessarilApp/AppKit/TextField.hpp"
#include "TessarilApp/SettingsWindow/CommandKeyPopups.hpp"
#include "TessarilApp/SettingsWindow/SettingsAlerts.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

// Keeps the stored legacy flags in step with the action just written.
template <class Action> void syncLegacyFlags(RuleEngineSettings& settings) {
    if constexpr (std::is_same_v<Action, CommandKeyAction>) {
        settings.syncLegacyCommandFlags();
    } else {
        settings.syncLegacyModifiedCommandFlags();
    }
}

} // namespace

template <class Action>
void CommandKeyActions::updateCommandAction(appkit::Control& sender, Action RuleEngineSettings::*field) {
    const std::optional<Action> action = selectedCommandAction<Action>(sender);
    if (action && usesAdvancedInputMode(*action) && !confirmAdvancedInputModeSelection()) {
        // The pop-up goes back to the saved action.
        delegate_.rebuildSettingsWindow();
        return;
    }
    if (!action) return;
    delegate_.settings.updateRuleEngineSettings(delegate_.settings.activePresetReference(),
                                                [&](RuleEngineSettings& settings) {
                                                    settings.*field = *action;
                                                    syncLegacyFlags<Action>(settings);
                                                });
    delegate_.persistSettings(true);
}

void CommandKeyActions::updateLeftCommandAction(appkit::Control& sender) {
    updateCommandAction(sender, &RuleEngineSettings::leftCommandAction);
}

void CommandKeyActions::updateRightCommandAction(appkit::Control& sender) {
    updateCommandAction(sender, &RuleEngineSettings::rightCommandAction);
}

void CommandKeyActions::updateLeftModifiedCommandAction(appkit::Control& sender) {
    updateCommandAction(sender, &RuleEngineSettings::leftModifiedCommandAction);
}

void CommandKeyActions::updateRightModifiedCommandAction(appkit::Control& sender) {
    updateCommandAction(sender, &RuleEngineSettings::rightModifiedCommandAction);
}

void CommandKeyActions::updateCompanionModifier(appkit::Control& sender, CompanionModifier RuleEngineSettings::*field) {
    const auto modifier = selectedCompanionModifier(sender);
    if (!modifier) return;
    delegate_.settings.updateRuleEngineSettings(delegate_.settings.activePresetReference(),
                                                [&](RuleEngineSettings& settings) { settings.*field = *modifier; });
    delegate_.persistSettings(true);
}

void CommandKeyActions::updateLeftCommandCompanionModifier(appkit::Control& sender) {
    updateCompanionModifier(sender, &RuleEngineSettings::leftCommandCompanionModifier);
}

void CommandKeyActions::updateRightCommandCompanionModifier(appkit::Control& sender) {
    updateCompanionModifier(sender, &RuleEngineSettings::rightCommandCompanionModifier);
}

void CommandKeyActions::updateMilliseconds(const QPointer<QLineEdit>& field, std::int64_t RuleEngineSettings::*target,
                                           std::optional<std::int64_t> (*parse)(std::string_view),
                                           std::string_view rangeText) {
    // The core reads the number with "." as the decimal point whatever the process locale.
    const std::optional<std::int64_t> milliseconds =
        field ? parse(appkit::committedText(*field)) : std::optional<std::int64_t>();
    if (!milliseconds) {
        // The field keeps what the user typed.
        showInvalidInputAlert(delegate_, "保存できません", std::string(rangeText));
        return;
    }
    delegate_.settings.updateRuleEngineSettings(delegate_.settings.activePresetReference(),
                                                [&](RuleEngineSettings& settings) { settings.*target = *milliseconds; });
    delegate_.persistSettings(true);
}

void CommandKeyActions::updateCommandDelayMilliseconds(const QPointer<QLineEdit>& field,
                                                       std::int64_t RuleEngineSettings::*target) {
    updateMilliseconds(field, target, &RuleEngineSettings::clampedDelayMillisecondsFromSecondsString, delayRangeText);
}

void CommandKeyActions::updateLeftCommandSeconds() {
    updateCommandDelayMilliseconds(delegate_.leftCommandSecondsField, &RuleEngineSettings::leftCommandDelayMilliseconds);
}

void CommandKeyActions::updateRightCommandSeconds() {
    updateCommandDelayMilliseconds(delegate_.rightCommandSecondsField, &RuleEngineSettings::rightCommandDelayMilliseconds);
}

void CommandKeyActions::updateLeftModifiedCommandSeconds() {
    updateCommandDelayMilliseconds(delegate_.leftModifiedCommandSecondsField,
                                   &RuleEngineSettings::leftModifiedCommandDelayMilliseconds);
}

void CommandKeyActions::updateRightModifiedCommandSeconds() {
    updateCommandDelayMilliseconds(delegate_.rightModifiedCommandSecondsField,
                                   &RuleEngineSettings::rightModifiedCommandDelayMilliseconds);
}

void CommandKeyActions::updateModifierGraceWindowSeconds() {
    updateMilliseconds(delegate_.modifierGraceWindowSecondsField, &RuleEngineSettings::modifierGraceWindowMilliseconds,
                       &RuleEngineSettings::clampedModifierGraceWindowMillisecondsFromSecondsString, graceRangeText);
}

template <class Action> void CommandKeyActions::toggleCommandSwitch(Action RuleEngineSettings::*field) {
    updateVisibleRuleEngineSettings([field](RuleEngineSettings& settings) {
        settings.*field = settings.*field == Action::disabled ? Action::standard : Action::disabled;
        syncLegacyFlags<Action>(settings);
    });
    delegate_.persistSettings(true);
}

void CommandKeyActions::toggleLeftCommandSwitch() { toggleCommandSwitch(&RuleEngineSettings::leftCommandAction); }

void CommandKeyActions::toggleRightCommandSwitch() { toggleCommandSwitch(&RuleEngineSettings::rightCommandAction); }

void CommandKeyActions::toggleLeftModifiedCommandSwitch() {
    toggleCommandSwitch(&RuleEngineSettings::leftModifiedCommandAction);
}

void CommandKeyActions::toggleRightModifiedCommandSwitch() {
    toggleCommandSwitch(&RuleEngineSettings::rightModifiedCommandAction);
}

void CommandKeyActions::updateVisibleRuleEngineSettings(const std::function<void(RuleEngineSettings&)>& edit) {
    const SettingsTab tab = delegate_.selectedSettingsTab;
    const auto& editing = delegate_.editingPresetReference;
    const bool editsChosenPreset = (tab == SettingsTab::basic || tab == SettingsTab::presets) && editing &&
                                   delegate_.settings.containsPresetReference(*editing);
    delegate_.settings.updateRuleEngineSettings(editsChosenPreset ? *editing : delegate_.settings.activePresetReference(),
                                                edit);
}

bool CommandKeyActions::confirmAdvancedInputModeSelection() {
    return confirmInAlert(delegate_, "この入力モードを選択しますか？",
                          "全角英数・カタカナ・半角カタカナは、macOS側で該当する入力ソースが使える時だけ切り替えできます。"
                          "見つからない場合は英数/かな送信エラーとして表示します。",
                          "選択する");
}

} // namespace tessaril
