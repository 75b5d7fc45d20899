#include "TessarilApp/PhraseEditor/FixedPhraseEditorState.hpp"

#include <algorithm>

#include "Platform/Foundation/DataEncoding.hpp"
#include "TessarilApp/AppKit/Alert.hpp"
#include "TessarilApp/AppKit/Control.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseStoredRTF.hpp"
#include "TessarilApp/PhraseEditor/TessarilTextView.hpp"
#include "TessarilApp/SettingsWindow/SettingsAlerts.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilCore/Settings/TessarilSettingsPerApplication.hpp"
#include "TessarilCore/Support/Unicode.hpp"
#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"
#include "TessarilMac/TextActions/FixedPhraseAttributedStrings.hpp"

namespace tessaril {

namespace {

using platform::AttributedText;
namespace normalizer = FixedPhraseAttributedTextNormalizer;

// The editor's body as the stored rule fills it: its RTF as read, else its plain text, else its HTML.
AttributedText storedBody(const FixedPhraseRule& rule) {
    if (auto rtf = FixedPhraseStoredRTF::read(rule.richTextRTFBase64)) return std::move(rtf->text);
    const std::string& text = rule.plainText.empty() && rule.htmlText ? *rule.htmlText : rule.plainText;
    return fixedPhrasePlainAttributedString(text);
}

// A rich text as source: HTML where it carries formatting (judged on the copy the screen shows),
// else its characters.
std::string richSourceText(const AttributedText& text) {
    if (fixedPhraseHasMeaningfulRichAttributes(fixedPhraseDisplaySafeAttributedString(text))) {
        if (auto html = fixedPhraseHTMLSource(text); html && !html->empty()) return *html;
    }
    return text.utf8String();
}

} // namespace

bool FixedPhraseEditorState::isShowingFixedPhrases() const {
    return delegate_.selectedSettingsTab == SettingsTab::fixedPhrases;
}

bool FixedPhraseEditorState::panelsBelongToSelectedTarget() const {
    return delegate_.fixedPhraseEditorTarget ==
           FixedPhraseEditorTarget::resolved(delegate_.settings, delegate_.selectedFixedPhraseAppBundleIdentifier);
}

void FixedPhraseEditorState::adoptSelectedFixedPhraseTarget() {
    if (panelsBelongToSelectedTarget()) return;
    resetFixedPhraseEditorTransientState();
    delegate_.fixedPhraseEditorTarget =
        FixedPhraseEditorTarget::resolved(delegate_.settings, delegate_.selectedFixedPhraseAppBundleIdentifier);
}

std::vector<FixedPhraseRule> FixedPhraseEditorState::selectedRules() const {
    return fixedPhraseAssistSettings(delegate_.settings, delegate_.selectedFixedPhraseAppBundleIdentifier).rules;
}

const FixedPhraseRule* FixedPhraseEditorState::findRule(const std::vector<FixedPhraseRule>& rules, const std::string& ruleID) {
    const auto found = std::find_if(rules.begin(), rules.end(), [&ruleID](const FixedPhraseRule& rule) { return rule.id == ruleID; });
    return found == rules.end() ? nullptr : &*found;
}

std::optional<FixedPhraseRule> FixedPhraseEditorState::fixedPhraseRule(const std::string& ruleID) const {
    const auto rules = selectedRules();
    const FixedPhraseRule* rule = findRule(rules, ruleID);
    if (!rule) return std::nullopt;
    return *rule;
}

TessarilTextView* FixedPhraseEditorState::fixedPhraseTextView(const std::string& ruleID) const {
    const auto found = delegate_.fixedPhraseTextViews.find(ruleID);
    return found == delegate_.fixedPhraseTextViews.end() ? nullptr : qobject_cast<TessarilTextView*>(found->second.data());
}

FixedPhraseEditorSnapshot FixedPhraseEditorState::currentFixedPhraseEditorSnapshot(const std::string& ruleID) const {
    return currentSnapshot(ruleID, selectedRules());
}

FixedPhraseEditorSnapshot FixedPhraseEditorState::currentSnapshot(const std::string& ruleID,
                                                                  const std::vector<FixedPhraseRule>& rules) const {
    const FixedPhraseRule* rule = findRule(rules, ruleID);
    const bool showsSource = delegate_.fixedPhraseSourceVisibleRuleIDs.contains(ruleID);
    FixedPhraseEditorSnapshot snapshot;
    if (const auto field = delegate_.fixedPhraseTitleFields.find(ruleID);
        field != delegate_.fixedPhraseTitleFields.end() && field->second) {
        snapshot.title = unicode::trimmingWhitespaceAndNewlines(field->second->text().toStdString());
    }
    snapshot.plainText = fixedPhraseEditorPlainText(ruleID);
    if (const auto html = delegate_.fixedPhraseHTMLTextViews.find(ruleID);
        html != delegate_.fixedPhraseHTMLTextViews.end() && html->second) {
        snapshot.htmlText = html->second->toPlainText().toStdString();
    }
    if (const TessarilTextView* view = fixedPhraseTextView(ruleID); view && !showsSource) {
        snapshot.richTextRTFBase64 = fixedPhraseRTFBase64(*view);
    }
    snapshot.inputMode = showsSource ? FixedPhraseInputMode::plain : FixedPhraseInputMode::rich;
    snapshot.previewMode = rule ? rule->previewMode : FixedPhrasePreviewMode::raw;
    snapshot.insertionMode = rule ? rule->insertionMode : FixedPhraseInsertionMode::visual;
    return snapshot;
}

std::string FixedPhraseEditorState::fixedPhraseEditorPlainText(const std::string& ruleID) const {
    const TessarilTextView* view = fixedPhraseTextView(ruleID);
    if (!view) return {};
    const AttributedText text = view->attributedText();
    if (delegate_.fixedPhraseSourceVisibleRuleIDs.contains(ruleID)) return text.utf8String();
    return normalizer::plainText(text);
}

std::optional<std::string> FixedPhraseEditorState::fixedPhraseRTFBase64(const QTextEdit& view) {
    if (const auto* phraseView = qobject_cast<const TessarilTextView*>(&view)) {
        if (phraseView->preservedWholePasteRTFData && !phraseView->preservedWholePasteRTFData->empty()) {
            return platform::data_encoding::base64Encoded(*phraseView->preservedWholePasteRTFData);
        }
        return tessaril::fixedPhraseRTFBase64(phraseView->attributedText());
    }
    return tessaril::fixedPhraseRTFBase64(AttributedText::fromUTF8(view.toPlainText().toStdString()));
}

// Mirrors how the body editor is filled, so that an untouched panel compares equal: the title as the
// field trims it, and the stored RTF only where the editor could read it (an unreadable one is
// replaced by the RTF of the text the editor shows instead).
FixedPhraseEditorSnapshot FixedPhraseEditorState::fixedPhraseSavedEditorSnapshot(const FixedPhraseRule& rule,
                                                                                  bool showsSource) const {
    FixedPhraseEditorSnapshot snapshot;
    snapshot.title = unicode::trimmingWhitespaceAndNewlines(rule.title);
    snapshot.previewMode = rule.previewMode;
    snapshot.insertionMode = rule.insertionMode;
    if (showsSource) {
        snapshot.plainText = fixedPhraseSourceText(rule);
        snapshot.inputMode = FixedPhraseInputMode::plain;
        return snapshot;
    }
    snapshot.inputMode = FixedPhraseInputMode::rich;
    if (const auto rtf = FixedPhraseStoredRTF::read(rule.richTextRTFBase64)) {
        snapshot.plainText = normalizer::plainText(rtf->text);
        snapshot.richTextRTFBase64 = rule.richTextRTFBase64;
        return snapshot;
    }
    const AttributedText body = storedBody(rule);
    snapshot.plainText = normalizer::plainText(body);
    snapshot.richTextRTFBase64 = tessaril::fixedPhraseRTFBase64(body);
    return snapshot;
}

bool FixedPhraseEditorState::hasUnsavedFixedPhraseEdits() const {
    if (!isShowingFixedPhrases()) return false;
    const auto rules = selectedRules();
    for (const auto& [ruleID, saved] : delegate_.fixedPhraseEditorSnapshots) {
        const bool isOnScreen = delegate_.fixedPhraseTitleFields.contains(ruleID) ||
                                delegate_.fixedPhraseTextViews.contains(ruleID) ||
                                delegate_.fixedPhraseHTMLTextViews.contains(ruleID);
        if (isOnScreen && currentSnapshot(ruleID, rules) != saved) return true;
    }
    return false;
}

bool FixedPhraseEditorState::hasUnsavedFixedPhraseEdits(const std::string& ruleID) const {
    if (!isShowingFixedPhrases()) return false;
    const auto saved = delegate_.fixedPhraseEditorSnapshots.find(ruleID);
    return saved != delegate_.fixedPhraseEditorSnapshots.end() && currentFixedPhraseEditorSnapshot(ruleID) != saved->second;
}

bool FixedPhraseEditorState::alertUnsavedEdits() {
    showInvalidInputAlert(delegate_, "保存してください", "本文とタイトルの変更を保存してから操作してください。");
    return false;
}

bool FixedPhraseEditorState::requireSavedFixedPhraseEdits() {
    return !hasUnsavedFixedPhraseEdits() || alertUnsavedEdits();
}

bool FixedPhraseEditorState::requireSavedFixedPhraseRule(const std::string& ruleID) {
    return !hasUnsavedFixedPhraseEdits(ruleID) || alertUnsavedEdits();
}

void FixedPhraseEditorState::captureVisibleFixedPhraseEditorDrafts() {
    const auto rules = selectedRules();
    for (const auto& [ruleID, view] : delegate_.fixedPhraseTextViews) {
        delegate_.fixedPhraseEditorDrafts.insert_or_assign(ruleID, currentSnapshot(ruleID, rules));
    }
}

void FixedPhraseEditorState::captureChangedFixedPhraseEditorDrafts() {
    if (!isShowingFixedPhrases()) return;
    const auto rules = selectedRules();
    for (const auto& [ruleID, view] : delegate_.fixedPhraseTextViews) {
        const auto saved = delegate_.fixedPhraseEditorSnapshots.find(ruleID);
        if (saved == delegate_.fixedPhraseEditorSnapshots.end()) continue;
        // A panel whose editor kind was just switched has had its draft taken by the switch; its
        // controls no longer read as the kind they were built as.
        const bool wasBuiltAsSource = saved->second.inputMode == FixedPhraseInputMode::plain;
        if (wasBuiltAsSource != delegate_.fixedPhraseSourceVisibleRuleIDs.contains(ruleID)) continue;
        if (FixedPhraseEditorSnapshot current = currentSnapshot(ruleID, rules); current != saved->second) {
            delegate_.fixedPhraseEditorDrafts.insert_or_assign(ruleID, std::move(current));
        }
    }
}

void FixedPhraseEditorState::resetFixedPhraseEditorTransientState() {
    delegate_.fixedPhraseEditorDrafts.clear();
    delegate_.fixedPhraseSourceBaselineTexts.clear();
    delegate_.fixedPhraseSourceVisibleRuleIDs.clear();
    delegate_.fixedPhraseEditorSnapshots.clear();
}

void FixedPhraseEditorState::toggleFixedPhraseSourceEditor(appkit::Control& sender) {
    const std::string ruleID = sender.identifier();
    if (ruleID.empty()) return;
    if (delegate_.fixedPhraseSourceVisibleRuleIDs.contains(ruleID)) {
        captureFixedPhraseSourceDraftIfChanged(ruleID);
        delegate_.fixedPhraseSourceVisibleRuleIDs.erase(ruleID);
        delegate_.fixedPhraseSourceBaselineTexts.erase(ruleID);
    } else {
        if (fixedPhraseTextView(ruleID)) {
            delegate_.fixedPhraseEditorDrafts.insert_or_assign(ruleID, currentFixedPhraseEditorSnapshot(ruleID));
        }
        delegate_.fixedPhraseSourceBaselineTexts.insert_or_assign(ruleID, fixedPhraseSourceTextForDraft(ruleID));
        delegate_.fixedPhraseSourceVisibleRuleIDs.insert(ruleID);
    }
    delegate_.rebuildSettingsWindow();
}

void FixedPhraseEditorState::captureFixedPhraseSourceDraftIfChanged(const std::string& ruleID) {
    const TessarilTextView* view = fixedPhraseTextView(ruleID);
    if (!view) return;
    const std::string source = view->attributedText().utf8String();
    if (const auto baseline = delegate_.fixedPhraseSourceBaselineTexts.find(ruleID);
        baseline != delegate_.fixedPhraseSourceBaselineTexts.end() && baseline->second == source) {
        return;
    }
    FixedPhraseEditorSnapshot draft = currentFixedPhraseEditorSnapshot(ruleID);
    draft.plainText = source;
    draft.htmlText.clear();
    draft.richTextRTFBase64.reset();
    draft.inputMode = FixedPhraseInputMode::plain;
    delegate_.fixedPhraseEditorDrafts.insert_or_assign(ruleID, std::move(draft));
}

std::string FixedPhraseEditorState::fixedPhraseSourceTextForDraft(const std::string& ruleID) const {
    const auto rule = fixedPhraseRule(ruleID);
    const auto draft = delegate_.fixedPhraseEditorDrafts.find(ruleID);
    if (rule && draft != delegate_.fixedPhraseEditorDrafts.end()) return fixedPhraseSourceText(*rule, draft->second);
    if (const TessarilTextView* view = fixedPhraseTextView(ruleID)) return view->attributedText().utf8String();
    return {};
}

std::string FixedPhraseEditorState::fixedPhraseSourceText(const FixedPhraseRule& rule) {
    if (rule.inputMode == FixedPhraseInputMode::rich) {
        if (const auto rtf = FixedPhraseStoredRTF::read(rule.richTextRTFBase64)) return richSourceText(rtf->text);
    }
    if (rule.inputMode == FixedPhraseInputMode::plain && rule.htmlText && !rule.htmlText->empty()) return *rule.htmlText;
    return rule.plainText;
}

std::string FixedPhraseEditorState::fixedPhraseSourceText(const FixedPhraseRule& rule,
                                                          const FixedPhraseEditorSnapshot& draft) {
    if (draft.inputMode == FixedPhraseInputMode::plain) return draft.plainText;
    if (const auto rtf = FixedPhraseStoredRTF::read(draft.richTextRTFBase64)) return richSourceText(rtf->text);
    return draft.plainText.empty() ? fixedPhraseSourceText(rule) : draft.plainText;
}

AttributedText FixedPhraseEditorState::fixedPhraseBodyAttributedString(const FixedPhraseEditorSnapshot& draft) {
    if (draft.inputMode == FixedPhraseInputMode::rich) {
        if (auto rtf = FixedPhraseStoredRTF::read(draft.richTextRTFBase64)) return std::move(rtf->text);
        return fixedPhrasePlainAttributedString(draft.plainText);
    }
    switch (draft.previewMode) {
    case FixedPhrasePreviewMode::markdown: return normalizer::markdownPreviewAttributedString(draft.plainText);
    case FixedPhrasePreviewMode::html:
        if (auto html = fixedPhraseAttributedString(draft.plainText, true)) return std::move(*html);
        break;
    case FixedPhrasePreviewMode::raw: break;
    }
    return fixedPhrasePlainAttributedString(draft.plainText);
}

} // namespace tessaril
