#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Platform/Foundation/AttributedText.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseEditorSnapshot.hpp"
#include "TessarilCore/Rules/FixedPhraseRule.hpp"

class QTextEdit;

namespace tessaril {

namespace appkit {
class Control;
}

class AppDelegate;
class TessarilTextView;

// The fixed-phrase editor's memory across window rebuilds: what a rule's panel shows now
// (`currentFixedPhraseEditorSnapshot`), what it showed when it was built from the stored rule (the
// saved snapshot), drafts that carry unsaved panels over a rebuild, the guards that refuse an action
// while edits are unsaved, and the switch between the rich and the source editor. All state lives in
// the delegate's maps; this keeps none. Main thread only.
class FixedPhraseEditorState {
public:
    explicit FixedPhraseEditorState(AppDelegate& delegate) : delegate_(delegate) {}

    // The rule with this id among the selected target's rules.
    std::optional<FixedPhraseRule> fixedPhraseRule(const std::string& ruleID) const;
    TessarilTextView* fixedPhraseTextView(const std::string& ruleID) const;

    FixedPhraseEditorSnapshot currentFixedPhraseEditorSnapshot(const std::string& ruleID) const;
    FixedPhraseEditorSnapshot fixedPhraseSavedEditorSnapshot(const FixedPhraseRule& rule, bool showsSource) const;
    std::string fixedPhraseEditorPlainText(const std::string& ruleID) const;
    // The preserved bytes of a whole-text RTF paste unchanged, else the text's RTF; none when empty.
    static std::optional<std::string> fixedPhraseRTFBase64(const QTextEdit& view);

    // The page is being built for the selected target: state taken for another target (or for this
    // one before its rules were replaced) ends here, so none of it surfaces on the new panels.
    void adoptSelectedFixedPhraseTarget();

    // Only on the fixed-phrase tab; rules without a saved snapshot are skipped and drafts are not read.
    bool hasUnsavedFixedPhraseEdits() const;
    bool hasUnsavedFixedPhraseEdits(const std::string& ruleID) const;
    // True lets the caller go on; false means the "保存してください" alert was shown.
    bool requireSavedFixedPhraseEdits();
    bool requireSavedFixedPhraseRule(const std::string& ruleID);

    // Every on-screen rule's current state becomes its draft.
    void captureVisibleFixedPhraseEditorDrafts();
    // Only the on-screen rules whose state differs from their saved snapshot: what every rebuild of
    // the fixed-phrase tab keeps before the panels go.
    void captureChangedFixedPhraseEditorDrafts();
    // Drafts, baselines and source views end (a new target, new settings, or edits the user chose to
    // discard). The on-screen panels' saved snapshots go too, so their text no longer counts as unsaved.
    void resetFixedPhraseEditorTransientState();

    // The header's "ソース"/"本文" button; never saves.
    void toggleFixedPhraseSourceEditor(appkit::Control& sender);
    void captureFixedPhraseSourceDraftIfChanged(const std::string& ruleID);
    std::string fixedPhraseSourceTextForDraft(const std::string& ruleID) const;

    // What the source editor shows for a stored rule, and for a draft of it.
    static std::string fixedPhraseSourceText(const FixedPhraseRule& rule);
    static std::string fixedPhraseSourceText(const FixedPhraseRule& rule, const FixedPhraseEditorSnapshot& draft);
    // What the rich editor shows for a draft: its RTF as stored, or its source rendered by its preview
    // mode.
    static platform::AttributedText fixedPhraseBodyAttributedString(const FixedPhraseEditorSnapshot& draft);

private:
    std::vector<FixedPhraseRule> selectedRules() const;
    static const FixedPhraseRule* findRule(const std::vector<FixedPhraseRule>& rules, const std::string& ruleID);
    FixedPhraseEditorSnapshot currentSnapshot(const std::string& ruleID, const std::vector<FixedPhraseRule>& rules) const;
    bool isShowingFixedPhrases() const;
    // The editor state was taken for the target that is selected now.
    bool panelsBelongToSelectedTarget() const;
    bool alertUnsavedEdits();

    AppDelegate& delegate_;
};

} // namespace tessaril
