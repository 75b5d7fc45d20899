#include "TessarilApp/PhraseEditor/FixedPhrasePreview.hpp"

#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseEditorColors.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseEditorState.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseRuleActions.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseStoredRTF.hpp"
#include "TessarilApp/PhraseEditor/TessarilTextView.hpp"
#include "TessarilApp/SettingsWindow/DelegateAction.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"
#include "TessarilMac/TextActions/FixedPhraseAttributedStrings.hpp"
#include "TessarilMac/TextActions/FixedPhraseLooksLikeHTML.hpp"
#include "TessarilMac/TextActions/FixedPhrasePayload.hpp"

namespace tessaril {

namespace {

using platform::AttributedText;
namespace normalizer = FixedPhraseAttributedTextNormalizer;

constexpr std::pair<const char*, FixedPhrasePreviewMode> previewModeItems[] = {
    {"プレーン", FixedPhrasePreviewMode::raw},
    {"リッチ", FixedPhrasePreviewMode::html},
    {"マークダウン", FixedPhrasePreviewMode::markdown},
};

} // namespace

AttributedText FixedPhrasePreview::richPreview(const AttributedText& text, FixedPhrasePreviewMode mode) {
    switch (mode) {
    case FixedPhrasePreviewMode::raw: return fixedPhrasePlainAttributedString(normalizer::plainText(text));
    case FixedPhrasePreviewMode::markdown:
        return normalizer::markdownPreviewAttributedString(normalizer::markdownText(text));
    case FixedPhrasePreviewMode::html: break;
    }
    return fixedPhraseDisplaySafeAttributedString(text);
}

AttributedText FixedPhrasePreview::sourcePreview(const std::string& source, FixedPhrasePreviewMode mode) {
    switch (mode) {
    case FixedPhrasePreviewMode::raw:
        if (fixedPhraseLooksLikeHTML(source)) {
            if (std::string text = fixedPhrasePlainText(source); !text.empty()) return fixedPhrasePlainAttributedString(text);
        }
        break;
    case FixedPhrasePreviewMode::markdown: return normalizer::markdownPreviewAttributedString(source);
    case FixedPhrasePreviewMode::html:
        if (auto html = fixedPhraseAttributedString(source, true)) return std::move(*html);
        break;
    }
    return fixedPhrasePlainAttributedString(source);
}

AttributedText FixedPhrasePreview::fixedPhraseRuleAttributedString(const FixedPhraseRule& rule) {
    if (rule.inputMode == FixedPhraseInputMode::rich) {
        if (const auto rtf = FixedPhraseStoredRTF::read(rule.richTextRTFBase64)) {
            return fixedPhraseDisplaySafeAttributedString(rtf->text);
        }
    }
    const std::string source = FixedPhraseEditorState::fixedPhraseSourceText(rule);
    if (rule.previewMode == FixedPhrasePreviewMode::html) {
        if (auto html = fixedPhraseAttributedString(source, true)) return std::move(*html);
        if (fixedPhraseLooksLikeHTML(source)) {
            if (std::string text = fixedPhrasePlainText(source); !text.empty()) return fixedPhrasePlainAttributedString(text);
        }
    }
    return fixedPhrasePlainAttributedString(source);
}

AttributedText FixedPhrasePreview::fixedPhrasePreviewAttributedString(const FixedPhraseRule& rule) {
    if (rule.inputMode == FixedPhraseInputMode::rich) {
        const AttributedText body = fixedPhraseRuleAttributedString(rule);
        switch (rule.previewMode) {
        case FixedPhrasePreviewMode::raw: return fixedPhrasePlainAttributedString(normalizer::plainText(body));
        case FixedPhrasePreviewMode::markdown:
            return normalizer::markdownPreviewAttributedString(normalizer::markdownText(body));
        case FixedPhrasePreviewMode::html: return body;
        }
    }
    return sourcePreview(FixedPhraseEditorState::fixedPhraseSourceText(rule), rule.previewMode);
}

AttributedText FixedPhrasePreview::fixedPhraseCurrentPreviewAttributedString(const FixedPhraseRule& rule) const {
    const TessarilTextView* editor = FixedPhraseEditorState(delegate_).fixedPhraseTextView(rule.id);
    if (!editor) return fixedPhrasePreviewAttributedString(rule);
    const bool showsSource = delegate_.fixedPhraseSourceVisibleRuleIDs.contains(rule.id);
    const AttributedText text = editor->attributedText();
    if (!showsSource && rule.inputMode == FixedPhraseInputMode::rich) return richPreview(text, rule.previewMode);
    return sourcePreview(text.utf8String(), rule.previewMode);
}

void FixedPhrasePreview::updateFixedPhrasePreview(const std::string& ruleID) {
    const auto preview = delegate_.fixedPhrasePreviewTextViews.find(ruleID);
    if (preview == delegate_.fixedPhrasePreviewTextViews.end() || !preview->second) return;
    const FixedPhraseEditorState state(delegate_);
    if (!state.fixedPhraseTextView(ruleID)) return;
    const auto rule = state.fixedPhraseRule(ruleID);
    if (!rule) return;
    if (auto* view = qobject_cast<TessarilTextView*>(preview->second.data())) {
        view->setAttributedText(fixedPhraseCurrentPreviewAttributedString(*rule));
    }
}

appkit::PopUpButton* FixedPhrasePreview::makeFixedPhrasePreviewModePopup(const std::string& ruleID,
                                                                         FixedPhrasePreviewMode selected,
                                                                         bool isEditable) {
    auto* popup = new appkit::PopUpButton;
    configurePopup(*popup, appkit::TextAlignment::left);
    popup->setIdentifier(ruleID);
    popup->setAction(delegateAction<FixedPhraseRuleActions>(delegate_, "updateFixedPhrasePreviewMode:",
                                                            &FixedPhraseRuleActions::updateFixedPhrasePreviewMode));
    popup->setEnabled(isEditable);
    for (const auto& [title, mode] : previewModeItems) {
        popup->addItem(title, std::string(rawValue(mode)));
        if (mode == selected) popup->selectItem(popup->numberOfItems() - 1);
    }
    popup->setFixedWidth(116);
    return popup;
}

QWidget* FixedPhrasePreview::makeFixedPhrasePreviewPane(const FixedPhraseRule& rule, bool isEditable, int width,
                                                        int height) {
    auto* header = new appkit::StackView(appkit::StackView::Orientation::horizontal);
    header->setAlignment(appkit::StackView::Alignment::centerY);
    header->setSpacing(8);
    header->setFixedWidth(width);
    header->addArrangedSubview(makeSubtleLabel("プレビュー", 12));
    header->addArrangedSubview(appkit::View::makeFlexibleSpace());
    header->addArrangedSubview(makeFixedPhrasePreviewModePopup(rule.id, rule.previewMode, isEditable));

    auto* view = new TessarilTextView;
    view->setReadOnly(true);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view->setRichText(true);
    applyFixedPhraseEditorAppearance(delegate_, *view);
    delegate_.fixedPhrasePreviewTextViews[rule.id] = view;
    view->setAttributedText(fixedPhraseCurrentPreviewAttributedString(rule));

    auto* pane = new appkit::StackView(appkit::StackView::Orientation::vertical);
    pane->setAlignment(appkit::StackView::Alignment::leading);
    pane->setSpacing(6);
    pane->addArrangedSubview(header);
    pane->addArrangedSubview(makeTextViewScrollContainer(*view, width, height));
    return pane;
}

} // namespace tessaril
