#include "TessarilApp/PhraseEditor/UTF16Text.hpp"
#include "TessarilApp/PhraseEditor/TessarilTextView.hpp"

#include <algorithm>

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>

#include "TessarilApp/PhraseEditor/AttributedTextDocument.hpp"
#include "TessarilApp/PhraseEditor/AttributedTextFormats.hpp"
#include "TessarilApp/PhraseEditor/ListMarkerDrawing.hpp"
#include "TessarilApp/PhraseEditor/PasteboardRichText.hpp"

namespace tessaril {

using platform::AttributedText;
using platform::TextAttributes;
using platform::TextRange;

class TessarilTextView::SilentChange {
public:
    explicit SilentChange(TessarilTextView& view) : view_(view) { ++view_.silentChanges_; }
    ~SilentChange() {
        --view_.silentChanges_;
        view_.changedDocumentRange_.reset();
    }
    SilentChange(const SilentChange&) = delete;
    SilentChange& operator=(const SilentChange&) = delete;

private:
    TessarilTextView& view_;
};

namespace {

int documentEnd(const QTextDocument& document) { return document.characterCount() - 1; }

// Where two texts start and stop differing: the length of their common start and of their common end,
// never cutting a CRLF or a surrogate pair in two.
std::pair<std::size_t, std::size_t> commonEnds(const AttributedText& old, const AttributedText& updated) {
    const std::u16string& a = old.string();
    const std::u16string& b = updated.string();
    const std::size_t shorter = std::min(a.size(), b.size());
    auto same = [&](std::size_t i, std::size_t j) { return a[i] == b[j] && old.attributes(i) == updated.attributes(j); };
    auto splits = [](const std::u16string& s, std::size_t at) {
        if (at == 0 || at >= s.size()) return false;
        return (s[at - 1] == u'\r' && s[at] == u'\n') || (s[at - 1] >= 0xD800 && s[at - 1] <= 0xDBFF);
    };
    std::size_t prefix = 0;
    while (prefix < shorter && same(prefix, prefix)) ++prefix;
    while (prefix > 0 && (splits(a, prefix) || splits(b, prefix))) --prefix;
    std::size_t suffix = 0;
    while (suffix < shorter - prefix && same(a.size() - 1 - suffix, b.size() - 1 - suffix)) ++suffix;
    while (suffix > 0 && (splits(a, a.size() - suffix) || splits(b, b.size() - suffix))) --suffix;
    return {prefix, suffix};
}

} // namespace

TessarilTextView::TessarilTextView(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(true);
    setTabChangesFocus(false);
    document()->setDefaultFont(textFont(platform::Font::system(14)));
    connect(document(), &QTextDocument::contentsChange, this, &TessarilTextView::noteDocumentChange);
    connect(this, &QTextEdit::textChanged, this, &TessarilTextView::handleTextChanged);
    setAttributedText(AttributedText());
}

TextAttributes TessarilTextView::defaultTypingAttributes() {
    TextAttributes attributes;
    attributes.font = platform::Font::system(14);
    return attributes;
}

AttributedText TessarilTextView::attributedText() const { return documentAttributedText(*document()); }

void TessarilTextView::setAttributedText(const AttributedText& text) {
    SilentChange silent(*this);
    document()->setUndoRedoEnabled(false);
    document()->clear();
    QTextCursor cursor(document());
    insertAttributedText(cursor, text);
    // What Qt types once every character is gone: the first character's attributes, as before.
    cursor.setPosition(0);
    cursor.setBlockCharFormat(textCharFormat(text.empty() ? defaultTypingAttributes() : text.attributes(0)));
    // That format belongs to no character: Qt reports it as a change of no length at the start, drops
    // the first paragraph's layout for it and, on a view already laid out, never lays it out again.
    // The paragraph would stay blank, its text unselectable, until the next rebuild.
    document()->markContentsDirty(0, document()->characterCount());
    setTextCursor(cursor);
    if (text.empty()) setTypingAttributes(defaultTypingAttributes());
    document()->setUndoRedoEnabled(true);
}

TextRange TessarilTextView::selectedRange() const {
    const DocumentTextPositions positions(*document());
    const QTextCursor cursor = textCursor();
    const std::size_t start = positions.textPosition(cursor.selectionStart());
    const std::size_t end = positions.textPosition(cursor.selectionEnd());
    return {start, std::max(end, start) - start};
}

void TessarilTextView::setSelectedRange(TextRange range) {
    const DocumentTextPositions positions(*document());
    const std::size_t start = std::min(range.location, positions.textLength());
    const std::size_t end = std::min(range.end(), positions.textLength());
    QTextCursor cursor = textCursor();
    cursor.setPosition(positions.documentPosition(start));
    cursor.setPosition(positions.documentPosition(end), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

TextAttributes TessarilTextView::typingAttributes() const { return textAttributes(textCursor().charFormat()); }

void TessarilTextView::setTypingAttributes(const TextAttributes& attributes) {
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection()) return;
    cursor.setCharFormat(textCharFormat(attributes));
    setTextCursor(cursor);
    styleEmptyLastLine();
}

FixedPhraseTextViewState TessarilTextView::textViewState() const {
    FixedPhraseTextViewState state;
    state.text = attributedText();
    state.selectedRanges = {selectedRange()};
    state.typingAttributes = typingAttributes();
    state.preservedWholePasteRTFData = preservedWholePasteRTFData;
    return state;
}

void TessarilTextView::applyTextViewState(const FixedPhraseTextViewState& state) {
    {
        SilentChange silent(*this);
        replaceText(state.text);
        setSelectedRange(state.primarySelectedRange());
        if (state.primarySelectedRange().length == 0) setTypingAttributes(state.typingAttributes);
    }
    preservedWholePasteRTFData = state.preservedWholePasteRTFData;
}

void TessarilTextView::replaceText(const AttributedText& replacement) {
    const AttributedText current = attributedText();
    if (current == replacement) return;
    const auto [prefix, suffix] = commonEnds(current, replacement);
    const DocumentTextPositions positions(*document());
    QTextCursor cursor(document());
    cursor.setPosition(positions.documentPosition(prefix));
    cursor.setPosition(positions.documentPosition(current.length() - suffix), QTextCursor::KeepAnchor);
    insertAttributedText(cursor, replacement.substring({prefix, replacement.length() - suffix - prefix}));
}

void TessarilTextView::setEditorColors(const QColor& background, const QColor& text) {
    QPalette colors = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colors.setColor(group, QPalette::Base, background);
        colors.setColor(group, QPalette::Text, text);
    }
    setPalette(colors);
}

void TessarilTextView::paste() {
    if (isReadOnly()) return;
    const QMimeData* pasteboard = QGuiApplication::clipboard()->mimeData();
    const QTextCursor cursor = textCursor();
    const bool wholeText = document()->isEmpty() ||
                           (cursor.selectionStart() == 0 && cursor.selectionEnd() == documentEnd(*document()));
    std::optional<std::vector<std::uint8_t>> rtf;
    if (wholeText && pasteboard && isRichText()) rtf = pasteboardRTFData(*pasteboard);
    isPerformingWholeRTFPaste = rtf.has_value();
    pastedRTFWasRead_ = false;
    QTextEdit::paste();
    isPerformingWholeRTFPaste = false;
    // Kept only when those bytes became the text: bytes the view could not read are not the document
    // the user sees, and saving them would store something else.
    preservedWholePasteRTFData = pastedRTFWasRead_ ? rtf : std::nullopt;
}

void TessarilTextView::didChangeText() {
    if (!isPerformingWholeRTFPaste) preservedWholePasteRTFData.reset();
    if (onTextDidChange) onTextDidChange();
}

bool TessarilTextView::performKeyEquivalent(const QKeyEvent& event) {
    if (!(event.modifiers() & Qt::ControlModifier)) return false;
    const int key = event.key();
    if (key < Qt::Key_A || key > Qt::Key_Z) return false;
    switch (static_cast<char>('a' + (key - Qt::Key_A))) {
    case 'z':
        if (event.modifiers() & Qt::ShiftModifier) {
            redo();
        } else {
            undo();
        }
        return true;
    case 'x': cut(); return true;
    case 'c': copy(); return true;
    case 'v': paste(); return true;
    case 'a': selectAll(); return true;
    default: return false;
    }
}

QMenu* TessarilTextView::makeContextMenu() {
    auto* menu = new QMenu(this);
    const bool editable = !isReadOnly();
    const bool hasSelection = textCursor().hasSelection();
    auto add = [&](const char* title, bool enabled, auto slot) {
        QAction* action = menu->addAction(QString::fromUtf8(title));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, slot);
    };
    add("取り消す", editable && document()->isUndoAvailable(), [this] { undo(); });
    add("やり直す", editable && document()->isRedoAvailable(), [this] { redo(); });
    menu->addSeparator();
    add("カット", editable && hasSelection, [this] { cut(); });
    add("コピー", hasSelection, [this] { copy(); });
    add("ペースト", editable && canPaste(), [this] { paste(); });
    menu->addSeparator();
    add("すべてを選択", !document()->isEmpty(), [this] { selectAll(); });
    if (contextMenuExtension) contextMenuExtension(*menu);
    return menu;
}

void TessarilTextView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = makeContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
}

void TessarilTextView::paintEvent(QPaintEvent* event) {
    QTextEdit::paintEvent(event);
    const auto markers = drawnListMarkers(*document());
    if (markers.empty()) return;
    QPainter painter(viewport());
    painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    painter.setPen(palette().color(QPalette::Text));
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    for (const auto& [block, text] : markers) {
        const QTextLayout* lines = block.layout();
        if (!lines || lines->lineCount() == 0) continue;
        const QTextLine first = lines->lineAt(0);
        const QRectF bounds = layout->blockBoundingRect(block);
        const auto fragment = block.begin();
        painter.setFont(fragment.atEnd() ? document()->defaultFont() : fragment.fragment().charFormat().font());
        const QRectF room(bounds.left() + block.blockFormat().leftMargin() - listMarkerRoom, bounds.top() + first.y(),
                          listMarkerRoom - 6, first.height());
        painter.drawText(room, Qt::AlignRight | Qt::AlignVCenter, text);
    }
}

void TessarilTextView::keyPressEvent(QKeyEvent* event) {
    if (performKeyEquivalent(*event)) {
        event->accept();
        return;
    }
    if (!event->text().isEmpty()) ensureTypingAttributesCarried();
    QTextEdit::keyPressEvent(event);
}

void TessarilTextView::inputMethodEvent(QInputMethodEvent* event) {
    ensureTypingAttributesCarried();
    QTextEdit::inputMethodEvent(event);
}

// Text Qt types with a format of its own (after every character was deleted, say) gets the defaults.
void TessarilTextView::ensureTypingAttributesCarried() {
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection() || cursor.charFormat().hasProperty(attributesProperty)) return;
    cursor.setCharFormat(textCharFormat(defaultTypingAttributes()));
    setTextCursor(cursor);
}

bool TessarilTextView::canInsertFromMimeData(const QMimeData* source) const {
    if (!source) return false;
    return source->hasText() || (isRichText() && (source->hasHtml() || pasteboardRTFData(*source)));
}

std::optional<AttributedText> TessarilTextView::pastedText(const QMimeData& source) {
    if (isRichText()) {
        if (const auto rtf = pasteboardRTFData(source)) {
            if (auto text = attributedTextFromRTF(*rtf)) {
                pastedRTFWasRead_ = true;
                return text;
            }
        }
        if (auto html = pasteboardHTMLText(source)) return html;
    }
    if (source.hasText()) return AttributedText(std::u16string(utf16View(source.text())), typingAttributes());
    return std::nullopt;
}

void TessarilTextView::insertFromMimeData(const QMimeData* source) {
    if (!source || isReadOnly()) return;
    const auto text = pastedText(*source);
    if (!text) return;
    QTextCursor cursor = textCursor();
    insertAttributedText(cursor, *text);
    setTextCursor(cursor);
    ensureCursorVisible();
}

QMimeData* TessarilTextView::createMimeDataFromSelection() const {
    auto* copied = new QMimeData;
    const AttributedText selected = attributedText().substring(selectedRange());
    copied->setText(qStringFromUTF16(selected.string()));
    if (isRichText()) {
        const auto rtf = rtfData(selected);
        copied->setData(QString::fromLatin1(rtfMimeType),
                        QByteArray(reinterpret_cast<const char*>(rtf.data()), static_cast<qsizetype>(rtf.size())));
    }
    return copied;
}

void TessarilTextView::noteDocumentChange(int position, int charsRemoved, int charsAdded) {
    (void)charsRemoved;
    const int end = position + charsAdded;
    if (changedDocumentRange_) {
        changedDocumentRange_ = {std::min(changedDocumentRange_->first, position), std::max(changedDocumentRange_->second, end)};
    } else {
        changedDocumentRange_ = {position, end};
    }
}

void TessarilTextView::handleTextChanged() {
    if (silentChanges_ > 0) return;
    restyleChangedBlocks();
    didChangeText();
}

// A user's edit can leave a paragraph whose first character is no longer the one its layout came
// from (a deleted first word, a joined line); its layout follows the new first character, in the
// same undo step as the edit.
void TessarilTextView::restyleChangedBlocks() {
    if (!changedDocumentRange_) return;
    const auto [start, end] = *changedDocumentRange_;
    SilentChange silent(*this);
    QTextCursor cursor(document());
    cursor.joinPreviousEditBlock();
    const int last = std::min(end, documentEnd(*document()));
    restyleBlocks(document()->findBlock(std::min(start, last)), document()->findBlock(last));
    cursor.endEditBlock();
}

// The empty line after the last line end has no character of its own: it is laid out after the
// typing attributes, so that the caret shows where the next line will start.
void TessarilTextView::styleEmptyLastLine() {
    QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    if (block.length() > 1 || block.next().isValid()) return;
    const QTextBlockFormat wanted = textBlockFormat(textAttributes(cursor.charFormat()).paragraphStyle);
    if (block.blockFormat() == wanted) return;
    SilentChange silent(*this);
    QTextCursor blockCursor(block);
    blockCursor.joinPreviousEditBlock();
    blockCursor.setBlockFormat(wanted);
    blockCursor.endEditBlock();
}

} // namespace tessaril
