#include "TessarilApp/PhraseEditor/FixedPhraseTab.hpp"

#include <memory>

#include <QLayout>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/LazyRowsView.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/AppKit/TextField.hpp"
#include "TessarilApp/PhraseEditor/AttributedTextFormats.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseEditorActions.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseEditorColors.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseEditorState.hpp"
#include "TessarilApp/PhraseEditor/FixedPhrasePreview.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseRuleActions.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseStoredRTF.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseToolbars.hpp"
#include "TessarilApp/PhraseEditor/TessarilTextView.hpp"
#include "TessarilApp/SetsAndRegistry/ApplicationTargetActions.hpp"
#include "TessarilApp/SettingsWindow/DelegateAction.hpp"
#include "TessarilApp/SettingsWindow/PresetScopeControls.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/SettingsTabPresentation.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/TessarilButton.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilCore/Settings/TessarilSettingsPerApplication.hpp"
#include "TessarilMac/TextActions/FixedPhraseAttributedStrings.hpp"

namespace tessaril {

namespace {

using appkit::StackView;
using Actions = FixedPhraseRuleActions;

constexpr int panelWidth = 904;
constexpr int rowWidth = 872;
constexpr int editorWidth = 534;
constexpr int editorHeight = 132;
constexpr int previewWidth = 324;
constexpr int panelSpacing = 12;
constexpr int richPanelHeightGuess = 330;
constexpr int sourcePanelHeightGuess = 330;
constexpr const char* scopePrefix = "fixedPhrase:";

// The formatting commands of one page's toolbars and context menus, alive exactly as long as the page.
class PageEditorActions : public QObject {
public:
    PageEditorActions(AppDelegate& delegate, QWidget* page)
        : QObject(page),
          actions_(FixedPhraseEditorActions::Services{
              .textView = [&delegate](const std::string& ruleID) { return FixedPhraseEditorState(delegate).fixedPhraseTextView(ruleID); },
              .updatePreview = [&delegate](const std::string& ruleID) { FixedPhrasePreview(delegate).updateFixedPhrasePreview(ruleID); },
              .previewMode = [&delegate](const std::string& ruleID) -> std::optional<FixedPhrasePreviewMode> {
                  const auto rule = FixedPhraseEditorState(delegate).fixedPhraseRule(ruleID);
                  if (!rule) return std::nullopt;
                  return rule->previewMode;
              },
              .alerts = delegate.services().userInterface.alerts.get(),
              .linkPrompt = delegate.services().userInterface.linkPrompt.get(),
              .colorPanel = delegate.services().userInterface.colorPanel.get(),
              .fontFamilyIsAvailable = [](std::string_view family) { return fixedPhraseFontFamilyIsInstalled(family); },
          }) {}

    FixedPhraseEditorActions& actions() { return actions_; }

private:
    FixedPhraseEditorActions actions_;
};

StackView* makeRow(int spacing, StackView::Alignment alignment = StackView::Alignment::centerY) {
    auto* row = new StackView(StackView::Orientation::horizontal);
    row->setAlignment(alignment);
    row->setSpacing(spacing);
    return row;
}

bool isCapturing(const AppDelegate& delegate, const std::string& ruleID) {
    return delegate.shortcutCaptureTarget &&
           delegate.shortcutCaptureTarget->value == decltype(ShortcutCaptureTarget::value){ShortcutCaptureTarget::FixedPhrase{ruleID}};
}

} // namespace

QWidget* FixedPhraseTab::makeFixedPhraseTab() {
    FixedPhraseEditorState(delegate_).adoptSelectedFixedPhraseTarget();
    const auto& presentation = SettingsTabPresentation::of(SettingsTab::fixedPhrases);
    auto* page = makePageStack(std::string(*presentation.pageTitle), std::string(*presentation.pageSubtitle));
    page->addArrangedSubview(makeFixedPhraseTargetBar());
    page->addArrangedSubview(makeFixedPhraseRulesPane());
    return wrapInScrollView(page);
}

QWidget* FixedPhraseTab::makeFixedPhraseTargetBar() {
    return ApplicationTargetActions<FixedPhraseTargetFamily>(delegate_).makeTargetBar();
}

QWidget* FixedPhraseTab::makeFixedPhraseRulesPane() {
    AppDelegate& delegate = delegate_;
    const ApplicationTargetState target = applicationTargetState<FixedPhraseTargetFamily>(delegate);
    const bool isEditable = target.isEditable();
    const auto rules = fixedPhraseAssistSettings(delegate.settings, target.bundleIdentifier).rules;

    StackView* pane = makePanelStack(940);
    auto* editorActions = new PageEditorActions(delegate, pane);
    pane->addArrangedSubview(makeSectionTitle("登録済み定型文"));
    if (rules.empty()) pane->addArrangedSubview(makeFeatureDescriptionLabel("登録済みの定型文はありません。"));
    if (!rules.empty()) pane->addArrangedSubview(makeRulePanels(rules, isEditable, editorActions->actions()));
    if (isEditable) {
        pane->addArrangedSubview(makeSmallButton(
            "+ 定型文を追加", delegateAction<Actions>(delegate, "addFixedPhraseRule", &Actions::addFixedPhraseRule), false, true));
    } else {
        pane->addArrangedSubview(makeSubtleLabel(
            "この対象はデフォルト設定を使っています。個別に変える場合は「デフォルト準拠」をOFFにしてください。", 12));
    }
    return pane;
}

// The panels of a long list are made as they scroll into view. Every panel of one editor kind has
// the same height, learnt from the first one made; the guess before that is corrected as it is made.
QWidget* FixedPhraseTab::makeRulePanels(const std::vector<FixedPhraseRule>& rules, bool isEditable,
                                        FixedPhraseEditorActions& actions) {
    static int panelHeights[2] = {richPanelHeightGuess, sourcePanelHeightGuess};
    AppDelegate& delegate = delegate_;
    std::vector<int> heights;
    heights.reserve(rules.size());
    for (const auto& rule : rules) heights.push_back(panelHeights[delegate.fixedPhraseSourceVisibleRuleIDs.contains(rule.id)]);
    const bool canDelete = rules.size() > 1;
    return new appkit::LazyRowsView(
        panelWidth, std::move(heights), panelSpacing,
        [&delegate, &actions, rules, isEditable, canDelete](std::size_t index) -> QWidget* {
            QWidget* panel = FixedPhraseTab(delegate).makeFixedPhraseRulePanel(rules[index], isEditable, canDelete, actions);
            panel->ensurePolished();
            if (auto* layout = panel->layout()) layout->activate();
            panelHeights[delegate.fixedPhraseSourceVisibleRuleIDs.contains(rules[index].id)] = panel->sizeHint().height();
            return panel;
        });
}

QWidget* FixedPhraseTab::makeFixedPhraseRulePanel(const FixedPhraseRule& rule, bool isEditable, bool canDelete,
                                                  FixedPhraseEditorActions& actions) {
    auto* panel = new StackView(StackView::Orientation::vertical);
    panel->setAlignment(StackView::Alignment::leading);
    panel->setSpacing(12);
    panel->setEdgeInsets({16, 16, 16, 16});
    panel->setLayerStyle({settings_palette::panelBackground(), settings_palette::cardBorder(), 1});
    panel->setFixedWidth(panelWidth);

    auto* header = new StackView(StackView::Orientation::vertical);
    header->setAlignment(StackView::Alignment::leading);
    header->setSpacing(8);
    header->addArrangedSubview(makeTitleRow(rule, isEditable, canDelete));
    header->addArrangedSubview(makeShortcutRow(rule, isEditable));
    panel->addArrangedSubview(header);

    const bool showsSource = delegate_.fixedPhraseSourceVisibleRuleIDs.contains(rule.id);
    auto* editorColumn = new StackView(StackView::Orientation::vertical);
    editorColumn->setAlignment(StackView::Alignment::leading);
    editorColumn->setSpacing(6);
    if (showsSource) {
        editorColumn->addArrangedSubview(makeFixedPhrasePlainMarkupToolbar(
            rule.id, isEditable, rule.previewMode != FixedPhrasePreviewMode::raw, actions));
    } else {
        editorColumn->addArrangedSubview(makeFixedPhraseRichToolbar(rule.id, isEditable, actions));
    }
    editorColumn->addArrangedSubview(makeFixedPhraseEditorHeader(rule.id, showsSource, editorWidth));
    editorColumn->addArrangedSubview(makeFixedPhraseTextEditor(rule, showsSource, isEditable, editorWidth, actions));

    StackView* editorRow = makeRow(14, StackView::Alignment::top);
    editorRow->addArrangedSubview(editorColumn);
    editorRow->addArrangedSubview(
        FixedPhrasePreview(delegate_).makeFixedPhrasePreviewPane(rule, isEditable, previewWidth, showsSource ? 168 : 208));
    panel->addArrangedSubview(editorRow);
    return panel;
}

QWidget* FixedPhraseTab::makeTitleRow(const FixedPhraseRule& rule, bool isEditable, bool canDelete) {
    AppDelegate& delegate = delegate_;
    StackView* row = makeRow(10);
    row->setFixedWidth(rowWidth);

    appkit::TextField* title = makeTextField(rule.title, "タイトル（任意）", 300);
    title->setIdentifier(rule.id);
    title->setEnabled(isEditable);
    title->setToolTipText("台帳や一覧に出す表示名です。本文からは自動作成しません。");
    // Its typed text lives on in the rule's draft.
    title->setKeepsTypedText(false);
    delegate.fixedPhraseTitleFields[rule.id] = title;
    if (const auto draft = delegate.fixedPhraseEditorDrafts.find(rule.id); draft != delegate.fixedPhraseEditorDrafts.end()) {
        title->setStringValue(draft->second.title);
    }
    row->addArrangedSubview(title);
    row->addArrangedSubview(appkit::View::makeFlexibleSpace());

    appkit::Button* save = makeSmallButton(
        "保存", delegateAction<Actions>(delegate, "saveFixedPhraseRule:", &Actions::saveFixedPhraseRule), false, isEditable);
    save->setFixedWidth(74);
    save->setIdentifier(rule.id);
    row->addArrangedSubview(save);
    appkit::Button* remove = makeSmallButton(
        "削除", delegateAction<Actions>(delegate, "deleteFixedPhraseRule:", &Actions::deleteFixedPhraseRule), false,
        isEditable && canDelete);
    remove->setFixedWidth(74);
    remove->setIdentifier(rule.id);
    row->addArrangedSubview(remove);

    const SwitchCell state = makeSwitchCell(
        rule.isEnabled,
        delegateAction<Actions>(delegate, "toggleFixedPhraseRuleEnabled:", &Actions::toggleFixedPhraseRuleEnabled),
        isEditable, 84, "状態");
    state.toggle->setIdentifier(rule.id);
    row->addArrangedSubview(state.view);
    return row;
}

QWidget* FixedPhraseTab::makeShortcutRow(const FixedPhraseRule& rule, bool isEditable) {
    AppDelegate& delegate = delegate_;
    StackView* row = makeRow(10);
    row->setFixedWidth(rowWidth);
    row->addArrangedSubview(makeSubtleLabel("ショートカット", 12));

    const bool capturing = isCapturing(delegate, rule.id);
    const std::string title = capturing ? "キー入力中..." : shortcutTitle(rule.trigger);
    appkit::Button* shortcut = makeSmallButton(
        title,
        appkit::Action{"beginShortcutCapture:", [&delegate](appkit::Control& sender) { delegate.beginShortcutCapture(sender); }},
        capturing, isEditable);
    shortcut->setFixedWidth(150);
    shortcut->setTitleAlignment(Qt::AlignCenter);
    shortcut->setIdentifier(scopePrefix + rule.id);
    shortcut->setToolTipText(capturing ? "設定したいショートカットを押してください。Escでキャンセルします。" : title);
    row->addArrangedSubview(shortcut);

    row->addArrangedSubview(makeSubtleLabel("挿入", 12));
    row->addArrangedSubview(makeFixedPhraseInsertionModePopup(rule.id, rule.insertionMode, isEditable));
    row->addArrangedSubview(makePresetScopeControls(
        rule.activePresets, scopePrefix + rule.id,
        delegateAction<Actions>(delegate, "toggleFixedPhrasePresetScope:", &Actions::toggleFixedPhrasePresetScope),
        isEditable));
    row->addArrangedSubview(appkit::View::makeFlexibleSpace());
    return row;
}

appkit::PopUpButton* FixedPhraseTab::makeFixedPhraseInsertionModePopup(const std::string& ruleID,
                                                                       FixedPhraseInsertionMode selected, bool isEditable) {
    auto* popup = new appkit::PopUpButton;
    configurePopup(*popup, appkit::TextAlignment::left);
    popup->setIdentifier(ruleID);
    popup->setAction(delegateAction<Actions>(delegate_, "updateFixedPhraseInsertionMode:",
                                             &Actions::updateFixedPhraseInsertionMode));
    popup->setEnabled(isEditable);
    for (const auto& [mode, raw] : EnumCases<FixedPhraseInsertionMode>::cases) {
        popup->addItem(mode == FixedPhraseInsertionMode::text ? "プレーン" : "リッチ", std::string(raw));
        if (mode == selected) popup->selectItem(popup->numberOfItems() - 1);
    }
    popup->setFixedWidth(108);
    return popup;
}

QWidget* FixedPhraseTab::makeFixedPhraseEditorHeader(const std::string& ruleID, bool showsSource, int width) {
    AppDelegate& delegate = delegate_;
    StackView* header = makeRow(8);
    header->setFixedWidth(width);
    header->addArrangedSubview(makeSubtleLabel("本文", 12));
    header->addArrangedSubview(appkit::View::makeFlexibleSpace());
    header->addArrangedSubview(makeSubtleLabel("表示", 12));

    appkit::Button* appearance = makeSmallButton(
        fixedPhraseAppearanceTitle(delegate.fixedPhraseEditorAppearance),
        appkit::Action{"toggleFixedPhraseEditorAppearance:",
                       [&delegate](appkit::Control&) { toggleFixedPhraseEditorAppearance(delegate); }},
        false, true);
    appearance->setFixedWidth(72);
    appearance->setToolTipText("本文入力欄の背景色を切り替えます。装飾そのものは変更しません。");
    delegate.fixedPhraseAppearanceButtons.emplace_back(appearance);
    header->addArrangedSubview(appearance);

    appkit::Button* source = makeSmallButton(
        showsSource ? "本文" : "ソース",
        delegateAction<FixedPhraseEditorState>(delegate, "toggleFixedPhraseSourceEditor:",
                                               &FixedPhraseEditorState::toggleFixedPhraseSourceEditor),
        false, true);
    source->setFixedWidth(74);
    source->setIdentifier(ruleID);
    source->setToolTipText(showsSource ? "リッチ編集に戻します。" : "本文をソースとして編集します。");
    header->addArrangedSubview(source);
    return header;
}

void FixedPhraseTab::configureFixedPhraseTypingAttributes(TessarilTextView& view) {
    view.setFont(textFont(platform::Font::system(14)));
    view.setTypingAttributes(TessarilTextView::defaultTypingAttributes());
}

// The stored RTF fills the editor as read, with or without a draft: the display-safe copy is only
// for previews, so saving an untouched or drafted body never drops its colours.
void FixedPhraseTab::fillTextEditor(TessarilTextView& view, const FixedPhraseRule& rule, bool showsSource) {
    const auto draft = delegate_.fixedPhraseEditorDrafts.find(rule.id);
    const bool hasDraft = draft != delegate_.fixedPhraseEditorDrafts.end();
    if (showsSource) {
        view.setAttributedText(fixedPhrasePlainAttributedString(
            hasDraft ? FixedPhraseEditorState::fixedPhraseSourceText(rule, draft->second)
                     : FixedPhraseEditorState::fixedPhraseSourceText(rule)));
        return;
    }
    const bool readsRTF = !hasDraft || draft->second.inputMode == FixedPhraseInputMode::rich;
    const std::optional<std::string>& rtfText = hasDraft ? draft->second.richTextRTFBase64 : rule.richTextRTFBase64;
    if (readsRTF) {
        if (auto rtf = FixedPhraseStoredRTF::read(rtfText)) {
            view.setAttributedText(rtf->text);
            view.preservedWholePasteRTFData = std::move(rtf->bytes);
            return;
        }
    }
    if (hasDraft) {
        view.setAttributedText(FixedPhraseEditorState::fixedPhraseBodyAttributedString(draft->second));
        return;
    }
    const std::string& text = rule.plainText.empty() && rule.htmlText ? *rule.htmlText : rule.plainText;
    view.setAttributedText(fixedPhrasePlainAttributedString(text));
}

QWidget* FixedPhraseTab::makeFixedPhraseTextEditor(const FixedPhraseRule& rule, bool showsSource, bool isEditable,
                                                   int width, FixedPhraseEditorActions& actions) {
    AppDelegate& delegate = delegate_;
    auto* view = new TessarilTextView;
    // Named so that the focus finds it again after a rebuild.
    view->setObjectName(QString::fromStdString("fixedPhraseBody:" + rule.id));
    view->setReadOnly(!isEditable);
    view->setRichText(!showsSource);
    view->setUndoRedoEnabled(true);
    const std::string ruleID = rule.id;
    view->onTextDidChange = [&delegate, ruleID] { FixedPhrasePreview(delegate).updateFixedPhrasePreview(ruleID); };
    applyFixedPhraseEditorAppearance(delegate, *view);
    configureFixedPhraseTypingAttributes(*view);
    fillTextEditor(*view, rule, showsSource);
    actions.addContextMenuCommands(*view, rule.id);

    delegate.fixedPhraseTextViews[rule.id] = view;
    delegate.fixedPhraseEditorSnapshots[rule.id] = FixedPhraseEditorState(delegate).fixedPhraseSavedEditorSnapshot(rule, showsSource);
    QWidget* container = makeTextViewScrollContainer(*view, width, editorHeight);
    applyFixedPhraseEditorAppearance(delegate, *view);
    return container;
}

} // namespace tessaril
