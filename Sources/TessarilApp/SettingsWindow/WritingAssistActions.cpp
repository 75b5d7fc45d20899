#include "TessarilApp/SettingsWindow/WritingAssistActions.hpp"

#include <algorithm>
#include <string_view>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/TextField.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutCaptureConversion.hpp"
#include "TessarilApp/SettingsWindow/PopUpSelection.hpp"
#include "TessarilApp/SettingsWindow/PresetScopeControls.hpp"
#include "TessarilApp/SettingsWindow/SettingsAlerts.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilCore/Settings/TessarilSettingsPerApplication.hpp"

namespace tessaril {

namespace {
constexpr std::string_view scopePrefix = "pair:";
}

void WritingAssistActions::updateRule(const std::string& id, const std::function<void(PairAssistRule&)>& change) {
    updateWritingAssistSettings(delegate_.settings, delegate_.selectedWritingAssistAppBundleIdentifier,
                                [&](WritingAssistSettings& writingAssist) {
                                    writingAssist.ensurePairAssistRules();
                                    auto& rules = writingAssist.pairAssistRules;
                                    const auto rule = std::find_if(rules.begin(), rules.end(),
                                                                   [&id](const PairAssistRule& each) { return each.id == id; });
                                    if (rule != rules.end()) change(*rule);
                                });
    delegate_.persistSettings(true);
}

void WritingAssistActions::updatePairAssistEnabled(appkit::Control& sender) {
    const auto* toggle = dynamic_cast<const appkit::Button*>(&sender);
    if (!toggle || sender.identifier().empty()) return;
    const bool isOn = toggle->isOn();
    updateRule(sender.identifier(), [isOn](PairAssistRule& rule) { rule.isEnabled = isOn; });
}

void WritingAssistActions::updatePairAssistInputModeCondition(appkit::Control& sender) {
    const auto condition = selectedRawValue<WritingAssistInputModeCondition>(sender);
    if (!condition || sender.identifier().empty()) return;
    updateRule(sender.identifier(), [condition](PairAssistRule& rule) { rule.inputModeCondition = *condition; });
}

void WritingAssistActions::togglePairAssistPresetScope(appkit::Control& sender) {
    const auto selection = presetScopeSelection(sender);
    const auto* box = dynamic_cast<const appkit::Button*>(&sender);
    if (!selection || !box || !selection->key.starts_with(scopePrefix)) return;
    const bool isOn = box->isOn();
    updateRule(selection->key.substr(scopePrefix.size()), [&](PairAssistRule& rule) {
        rule.activePresets = updatedPresetScope(rule.activePresets, selection->preset, isOn);
    });
}

void WritingAssistActions::deletePairAssistRule(appkit::Control& sender) {
    if (sender.identifier().empty()) return;
    const std::string id = sender.identifier();
    updateWritingAssistSettings(delegate_.settings, delegate_.selectedWritingAssistAppBundleIdentifier,
                                [&id](WritingAssistSettings& writingAssist) {
                                    writingAssist.ensurePairAssistRules();
                                    // The last rule stays: the page always shows one.
                                    if (writingAssist.pairAssistRules.size() < 2) return;
                                    std::erase_if(writingAssist.pairAssistRules,
                                                  [&id](const PairAssistRule& rule) { return rule.id == id; });
                                });
    delegate_.persistSettings(true);
}

void WritingAssistActions::addPairAssistRule() {
    updateWritingAssistSettings(delegate_.settings, delegate_.selectedWritingAssistAppBundleIdentifier,
                                [](WritingAssistSettings& writingAssist) {
                                    writingAssist.ensurePairAssistRules();
                                    writingAssist.pairAssistRules.emplace_back(
                                        "", std::string(PairAssistRule::defaultTitle), false,
                                        WritingAssistInputModeCondition::kanaOnly, std::nullopt, "「", "」",
                                        keyboard_preset::standardSet);
                                });
    delegate_.persistSettings(true);
}

void WritingAssistActions::savePairAssistRuleText(appkit::Control& sender) {
    if (sender.identifier().empty()) return;
    const std::string id = sender.identifier();
    const auto textOf = [&id](const std::map<std::string, QPointer<QLineEdit>>& fields) {
        const auto field = fields.find(id);
        return field != fields.end() && field->second ? appkit::committedText(*field->second) : std::string();
    };
    const std::string opening = textOf(delegate_.pairAssistOpeningFields);
    const std::string closing = textOf(delegate_.pairAssistClosingFields);
    if (opening.empty() && closing.empty()) {
        showInvalidInputAlert(delegate_, "保存できません", "前後のどちらかに文字を入れてください。");
        return;
    }
    updateRule(id, [&](PairAssistRule& rule) {
        rule.openingText = opening;
        rule.closingText = closing;
    });
}

void WritingAssistActions::assignPairAssistShortcut(const Shortcut& shortcut, const std::string& ruleID) {
    const WritingAssistSettings current =
        writingAssistSettings(delegate_.settings, delegate_.selectedWritingAssistAppBundleIdentifier);
    const auto rule = pairAssistRule(ruleID, current);
    if (!rule) {
        delegate_.rebuildSettingsWindow();
        return;
    }
    if (rule->trigger == shortcut) {
        delegate_.rebuildSettingsWindow();
        showInvalidInputAlert(delegate_, "すでに設定済みです",
                              rule->title + "のショートカットはすでに " + shortcutTitle(shortcut) + " です。変更はありません。");
        return;
    }
    std::optional<std::string> conflictID;
    for (const auto& other : current.effectivePairAssistRules()) {
        if (other.id != ruleID && other.trigger == shortcut) {
            if (!confirmPairAssistShortcutOverwrite(delegate_, *rule, other)) {
                delegate_.rebuildSettingsWindow();
                return;
            }
            conflictID = other.id;
            break;
        }
    }
    updateWritingAssistSettings(delegate_.settings, delegate_.selectedWritingAssistAppBundleIdentifier,
                                [&](WritingAssistSettings& writingAssist) {
                                    writingAssist.ensurePairAssistRules();
                                    for (auto& each : writingAssist.pairAssistRules) {
                                        if (conflictID && each.id == *conflictID) each.trigger.reset();
                                    }
                                    for (auto& each : writingAssist.pairAssistRules) {
                                        if (each.id == ruleID) {
                                            each.trigger = shortcut;
                                            break;
                                        }
                                    }
                                });
    delegate_.persistSettings(true);
}

} // namespace tessaril
