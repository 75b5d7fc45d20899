#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QTextEdit>

#include "Platform/Foundation/AttributedText.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseTextViewState.hpp"

class QMenu;
class QMimeData;

namespace tessaril {

// The text view of the phrase editor (rich and plain editors, preview): a QTextEdit that shows and
// edits our attributed text exactly (see AttributedTextDocument). It keeps the RTF of a paste that
// replaced the whole text, so that saving an untouched pasted document stores exactly the pasted
// bytes; reports every text change; and answers the editing key equivalents itself, since the
// application has no Edit menu. Main thread only.
class TessarilTextView : public QTextEdit {
    Q_OBJECT
public:
    explicit TessarilTextView(QWidget* parent = nullptr);

    // The RTF of the last paste that replaced the whole text; none when there was none or the text
    // has changed since.
    std::optional<std::vector<std::uint8_t>> preservedWholePasteRTFData;
    // Called after every text change made by the user (typing, pasting, cutting, undoing).
    std::function<void()> onTextDidChange;
    // True only while a whole-text RTF paste runs, so that its own change keeps the RTF.
    bool isPerformingWholeRTFPaste = false;
    // Adds the owner's items to the context menu below the editing items.
    std::function<void(QMenu&)> contextMenuExtension;

    platform::AttributedText attributedText() const;
    // Replaces the text without a change notification and without undo history; the caret goes to
    // the start and the typing attributes to the first character's (or the defaults).
    void setAttributedText(const platform::AttributedText& text);

    // The selection in UTF-16 units of the attributed text.
    platform::TextRange selectedRange() const;
    void setSelectedRange(platform::TextRange range);

    // The attributes the next typed character takes.
    platform::TextAttributes typingAttributes() const;
    // Only with an empty selection: a selection is typed over with its own first attributes.
    void setTypingAttributes(const platform::TextAttributes& attributes);
    // What text without attributes of its own takes: the 14-point system font.
    static platform::TextAttributes defaultTypingAttributes();

    // What the formatting commands read, and their result: changes the text as one undoable step,
    // without a change notification (the command's caller refreshes what depends on the text).
    FixedPhraseTextViewState textViewState() const;
    void applyTextViewState(const FixedPhraseTextViewState& state);

    // A rich editor takes formatted pastes; a plain one only characters, in its typing attributes.
    bool isRichText() const { return acceptRichText(); }
    void setRichText(bool isRichText) { setAcceptRichText(isRichText); }

    // The background and the colour of text without a colour of its own (and of the caret). These
    // are the view's defaults: they never become attributes of the text.
    void setEditorColors(const QColor& background, const QColor& text);

    // Pastes the general pasteboard; a whole-text paste of RTF keeps its bytes.
    void paste();
    void didChangeText();
    // ⌘Z undo, ⌘⇧Z redo, ⌘X, ⌘C, ⌘V (this view's own paste), ⌘A; other keys are not handled here.
    bool performKeyEquivalent(const QKeyEvent& event);

    // The context menu: undo, redo, cut, copy, paste, select all, then the owner's items.
    QMenu* makeContextMenu();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Holds back change notifications while the view changes its own text.
    class SilentChange;

    void noteDocumentChange(int position, int charsRemoved, int charsAdded);
    void handleTextChanged();
    void restyleChangedBlocks();
    void styleEmptyLastLine();
    void ensureTypingAttributesCarried();
    void replaceText(const platform::AttributedText& replacement);
    std::optional<platform::AttributedText> pastedText(const QMimeData& source);

    int silentChanges_ = 0;
    std::optional<std::pair<int, int>> changedDocumentRange_;
    bool pastedRTFWasRead_ = false;
};

} // namespace tessaril
