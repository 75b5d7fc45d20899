#include "TessarilApp/PhraseEditor/FixedPhraseRuleActions.hpp"

#include <algorithm>
#include <string_view>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseEditorState.hpp"
#include "TessarilApp/PhraseEditor/FixedPhrasePreview.hpp"
#include "TessarilApp/PhraseEditor/TessarilTextView.hpp"
#include "TessarilApp/SettingsWindow/PopUpSelection.hpp"
#include "TessarilApp/SettingsWindow/PresetScopeControls.hpp"
#include "TessarilApp/SettingsWindow/SettingsAlerts.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilCore/Settings/TessarilSettingsPerApplication.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {

namespace {

constexpr std::string_view scopePrefix = "fixedPhrase:";
constexpr const char* defaultPhraseText = "※画像はイメージです";

} // namespace

void FixedPhraseRuleActions::updateRule(const std::string& ruleID, const std::function<void(FixedPhraseRule&)>& change) {
    updateFixedPhraseAssistSettings(delegate_.settings, delegate_.selectedFixedPhraseAppBundleIdentifier,
                                    [&](FixedPhraseAssistSettings& phrases) {
                                        const auto rule = std::find_if(
                                            phrases.rules.begin(), phrases.rules.end(),
                                            [&ruleID](const FixedPhraseRule& each) { return each.id == ruleID; });
                                        if (rule != phrases.rules.end()) change(*rule);
                                    });
}

void FixedPhraseRuleActions::addFixedPhraseRule() {
    if (FixedPhraseEditorState(delegate_).hasUnsavedFixedPhraseEdits()) {
        showInvalidInputAlert(delegate_, "保存してください", "本文とタイトルの変更を保存してから操作してください。");
        return;
    }
    updateFixedPhraseAssistSettings(delegate_.settings, delegate_.selectedFixedPhraseAppBundleIdentifier,
                                    [](FixedPhraseAssistSettings& phrases) {
                                        phrases.rules.emplace_back(
                                            "", "", false, std::nullopt, defaultPhraseText, std::nullopt, std::nullopt,
                                            FixedPhraseInsertionFormat::rich, FixedPhraseInputMode::rich,
                                            FixedPhrasePreviewMode::raw, FixedPhraseInsertionMode::visual,
                                            keyboard_preset::standardSet);
                                    });
    delegate_.persistSettings(true);
}

void FixedPhraseRuleActions::saveFixedPhraseRule(appkit::Control& sender) {
    const std::string ruleID = sender.identifier();
    if (ruleID.empty()) return;
    FixedPhraseEditorState state(delegate_);
    std::string title;
    if (const auto field = delegate_.fixedPhraseTitleFields.find(ruleID);
        field != delegate_.fixedPhraseTitleFields.end() && field->second) {
        title = unicode::trimmingWhitespaceAndNewlines(field->second->text().toStdString());
    }
    const std::string plainText = state.fixedPhraseEditorPlainText(ruleID);
    if (unicode::isBlank(plainText)) {
        showInvalidInputAlert(delegate_, "保存できません", "本文に入力してください。");
        return;
    }
    const bool showsSource = delegate_.fixedPhraseSourceVisibleRuleIDs.contains(ruleID);
    std::optional<std::string> rtf;
    if (const TessarilTextView* view = state.fixedPhraseTextView(ruleID); view && !showsSource) {
        rtf = FixedPhraseEditorState::fixedPhraseRTFBase64(*view);
    }
    const FixedPhraseInputMode inputMode = showsSource ? FixedPhraseInputMode::plain : FixedPhraseInputMode::rich;

    FixedPhraseEditorSnapshot saved{title, plainText, "", rtf, inputMode, FixedPhrasePreviewMode::raw,
                                    FixedPhraseInsertionMode::visual};
    updateRule(ruleID, [&](FixedPhraseRule& rule) {
        rule.title = title;
        rule.plainText = plainText;
        rule.richTextRTFBase64 = rtf;
        rule.htmlText.reset();
        rule.inputMode = inputMode;
        rule.insertionFormat = rule.insertionMode == FixedPhraseInsertionMode::visual ? FixedPhraseInsertionFormat::rich
                                                                                      : FixedPhraseInsertionFormat::plain;
        saved.previewMode = rule.previewMode;
        saved.insertionMode = rule.insertionMode;
    });
    delegate_.fixedPhraseEditorSnapshots.insert_or_assign(ruleID, std::move(saved));
    delegate_.fixedPhraseEditorDrafts.erase(ruleID);
    delegate_.persistSettings(true);
}

void FixedPhraseRuleActions::updateFixedPhrasePreviewMode(appkit::Control& sender) {
    const auto mode = selectedRawValue<FixedPhrasePreviewMode>(sender);
    const std::string ruleID = sender.identifier();
    if (!mode || ruleID.empty()) return;
    updateRule(ruleID, [mode](FixedPhraseRule& rule) { rule.previewMode = *mode; });
    // The mode is saved at once, so it alone is no unsaved edit.
    if (const auto saved = delegate_.fixedPhraseEditorSnapshots.find(ruleID); saved != delegate_.fixedPhraseEditorSnapshots.end()) {
        saved->second.previewMode = *mode;
    }
    FixedPhrasePreview(delegate_).updateFixedPhrasePreview(ruleID);
    delegate_.persistSettings(true);
}

void FixedPhraseRuleActions::updateFixedPhraseInsertionMode(appkit::Control& sender) {
    const auto mode = selectedRawValue<FixedPhraseInsertionMode>(sender);
    const std::string ruleID = sender.identifier();
    if (!mode || ruleID.empty()) return;
    updateRule(ruleID, [mode](FixedPhraseRule& rule) {
        rule.insertionMode = *mode;
        rule.insertionFormat =
            *mode == FixedPhraseInsertionMode::visual ? FixedPhraseInsertionFormat::rich : FixedPhraseInsertionFormat::plain;
    });
    if (const auto saved = delegate_.fixedPhraseEditorSnapshots.find(ruleID); saved != delegate_.fixedPhraseEditorSnapshots.end()) {
        saved->second.insertionMode = *mode;
    }
    delegate_.persistSettings(true);
}

bool FixedPhraseRuleActions::fixedPhraseRuleHasInsertableBody(const FixedPhraseRule& rule) {
    if (rule.inputMode == FixedPhraseInputMode::rich && rule.richTextRTFBase64 && !rule.richTextRTFBase64->empty()) {
        return true;
    }
    return !unicode::isBlank(rule.plainText);
}

void FixedPhraseRuleActions::toggleFixedPhraseRuleEnabled(appkit::Control& sender) {
    auto* toggle = dynamic_cast<appkit::Button*>(&sender);
    const std::string ruleID = sender.identifier();
    if (!toggle || ruleID.empty()) return;
    FixedPhraseEditorState state(delegate_);
    const auto rule = state.fixedPhraseRule(ruleID);
    const bool isOn = toggle->isOn();
    if (!state.requireSavedFixedPhraseRule(ruleID)) {
        toggle->setState(rule && rule->isEnabled ? appkit::Button::State::on : appkit::Button::State::off);
        return;
    }
    if (isOn && rule && !fixedPhraseRuleHasInsertableBody(*rule)) {
        toggle->setState(appkit::Button::State::off);
        showInvalidInputAlert(delegate_, "本文を保存してください", "定型文をONにするには、先に挿入する本文を保存してください。");
        return;
    }
    updateRule(ruleID, [isOn](FixedPhraseRule& each) { each.isEnabled = isOn; });
    delegate_.persistSettings(true);
}

void FixedPhraseRuleActions::toggleFixedPhrasePresetScope(appkit::Control& sender) {
    const auto selection = presetScopeSelection(sender);
    auto* box = dynamic_cast<appkit::Button*>(&sender);
    if (!selection || !box || !selection->key.starts_with(scopePrefix)) return;
    const std::string ruleID = selection->key.substr(scopePrefix.size());
    FixedPhraseEditorState state(delegate_);
    if (!state.requireSavedFixedPhraseRule(ruleID)) {
        const auto rule = state.fixedPhraseRule(ruleID);
        const KeyboardPresetSet active = rule ? rule->activePresets : KeyboardPresetSet{};
        const bool wasOn = selection->preset ? active.contains(*selection->preset) : active == keyboard_preset::standardSet;
        box->setState(wasOn ? appkit::Button::State::on : appkit::Button::State::off);
        return;
    }
    const bool isOn = box->isOn();
    updateRule(ruleID, [&](FixedPhraseRule& rule) {
        rule.activePresets = updatedPresetScope(rule.activePresets, selection->preset, isOn);
    });
    delegate_.persistSettings(true);
}

void FixedPhraseRuleActions::deleteFixedPhraseRule(appkit::Control& sender) {
    const std::string ruleID = sender.identifier();
    if (ruleID.empty()) return;
    if (!FixedPhraseEditorState(delegate_).requireSavedFixedPhraseEdits()) return;
    updateFixedPhraseAssistSettings(delegate_.settings, delegate_.selectedFixedPhraseAppBundleIdentifier,
                                    [&ruleID](FixedPhraseAssistSettings& phrases) {
                                        std::erase_if(phrases.rules, [&ruleID](const FixedPhraseRule& rule) { return rule.id == ruleID; });
                                    });
    delegate_.fixedPhraseEditorDrafts.erase(ruleID);
    delegate_.fixedPhraseEditorSnapshots.erase(ruleID);
    delegate_.fixedPhraseTextViews.erase(ruleID);
    delegate_.fixedPhraseHTMLTextViews.erase(ruleID);
    delegate_.fixedPhrasePreviewTextViews.erase(ruleID);
    delegate_.fixedPhraseSourceVisibleRuleIDs.erase(ruleID);
    delegate_.persistSettings(true);
}

} // namespace tessaril
