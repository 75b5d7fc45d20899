#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>

#include "Platform/Foundation/RTFReader.hpp"
#include "TessarilApp/PhraseEditor/AttributedTextFormats.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseCharacterCommands.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseListCommands.hpp"
#include "TessarilApp/PhraseEditor/ListMarkerDrawing.hpp"
#include "TessarilApp/PhraseEditor/TessarilTextView.hpp"
#include "TessarilAppTests/PhraseEditor/RichTextSamples.hpp"

namespace tessaril {
namespace {

using platform::AttributedText;
using platform::Color;
using platform::TextAttributes;
using platform::TextRange;
using testing::bold14;
using testing::richText;
using testing::system14;

const std::string pastedRTF = R"({\rtf1\ansi{\fonttbl{\f0 Helvetica;}}\f0\fs28 Pasted {\b bold}\par second})";

void press(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&widget, &event);
}

void type(QWidget& widget, const QString& text) {
    for (QChar character : text) press(widget, 0, Qt::NoModifier, QString(character));
}

void putOnPasteboard(const std::optional<std::string>& rtf, const std::optional<QString>& text) {
    auto* data = new QMimeData;
    if (rtf) data->setData(QStringLiteral("text/rtf"), QByteArray::fromStdString(*rtf));
    if (text) data->setText(*text);
    QGuiApplication::clipboard()->setMimeData(data);
}

std::vector<std::uint8_t> bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(TessarilTextView, AFormattingCommandIsOneUndoStepAndNoTextChange) {
    const AttributedText original = richText({{u"ab\r\ncd\r\nef", system14()}});
    TessarilTextView view;
    view.setAttributedText(original);
    int changes = 0;
    view.onTextDidChange = [&] { ++changes; };

    view.setSelectedRange({5, 4});
    FixedPhraseTextViewState state = view.textViewState();
    EXPECT_EQ(state.primarySelectedRange(), (TextRange{5, 4})) << "positions count the CR and the LF";
    applyFixedPhraseFontTrait(FixedPhraseFontTrait::bold, state);
    applyFixedPhraseListStyle(FixedPhraseListKind::bullet, state);
    view.applyTextViewState(state);

    const auto listed = [](TextAttributes attributes) {
        return testing::withParagraph(std::move(attributes), testing::listParagraph(platform::TextList::disc));
    };
    const AttributedText expected =
        richText({{u"ab\r\n", system14()}, {u"c", listed(system14())}, {u"d\r\ne", listed(bold14())}, {u"f", listed(system14())}});
    EXPECT_EQ(view.attributedText(), expected);
    EXPECT_EQ(view.selectedRange(), (TextRange{4, 6}));
    EXPECT_EQ(view.document()->findBlockByNumber(2).blockFormat().leftMargin(), 24) << "the list indents its paragraphs";
    EXPECT_EQ(changes, 0);

    view.undo();
    EXPECT_EQ(view.attributedText(), original);
    EXPECT_EQ(view.document()->findBlockByNumber(2).blockFormat().leftMargin(), 0);
    view.redo();
    EXPECT_EQ(view.attributedText(), expected);
    EXPECT_GE(changes, 2) << "undo and redo change the text the user sees";
}

TEST(TessarilTextView, TypingReturnAndBackspaceKeepTheTextsOwnLineEnds) {
    TessarilTextView view;
    view.setAttributedText(richText({{u"ab\r\n", system14()}, {u"cd", bold14()}}));
    view.setSelectedRange({4, 0});
    type(view, QStringLiteral("X"));
    EXPECT_EQ(view.attributedText(), richText({{u"ab\r\n", system14()}, {u"Xcd", bold14()}}));

    view.setSelectedRange({7, 0});
    press(view, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    type(view, QStringLiteral("y"));
    EXPECT_EQ(view.attributedText(), richText({{u"ab\r\n", system14()}, {u"Xcd\ny", bold14()}}));

    view.setSelectedRange({4, 0});
    press(view, Qt::Key_Backspace);
    EXPECT_EQ(view.attributedText(), richText({{u"ab", system14()}, {u"Xcd\ny", bold14()}})) << "one key takes the whole CRLF";
    EXPECT_EQ(view.selectedRange(), (TextRange{2, 0}));
}

// Whatever is typed carries attributes, also after every character was deleted.
TEST(TessarilTextView, TextTypedIntoAnEmptiedViewKeepsTheTypingAttributes) {
    TessarilTextView view;
    view.setAttributedText(richText({{u"bold", bold14()}}));
    press(view, Qt::Key_A, Qt::ControlModifier);
    press(view, Qt::Key_Backspace);
    type(view, QStringLiteral("z"));
    EXPECT_EQ(view.attributedText(), richText({{u"z", bold14()}}));

    TessarilTextView empty;
    type(empty, QStringLiteral("新"));
    EXPECT_EQ(empty.attributedText(), richText({{u"新", system14()}}));
}

// The dark or light look colours text without a colour of its own; the text itself keeps no colour,
// so switching the look neither overwrites the user's colours nor changes what is saved.
TEST(TessarilTextView, TheEditorsTextColourIsNeverWrittenIntoTheText) {
    TextAttributes red = system14();
    red.foregroundColor = Color{1, 0, 0, 1};
    const AttributedText text = richText({{u"red ", red}, {u"plain", system14()}});
    TessarilTextView view;
    view.setAttributedText(text);
    view.setEditorColors(QColor(19, 20, 22), QColor(245, 245, 245));
    view.setSelectedRange({9, 0});
    type(view, QStringLiteral("!"));

    EXPECT_EQ(view.attributedText(), richText({{u"red ", red}, {u"plain!", system14()}}));
    const QTextBlock block = view.document()->firstBlock();
    auto fragment = block.begin();
    EXPECT_EQ(fragment.fragment().charFormat().foreground().color(), QColor(255, 0, 0));
    ++fragment;
    EXPECT_FALSE(fragment.fragment().charFormat().hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(view.palette().color(QPalette::Text), QColor(245, 245, 245));
}

TEST(TessarilTextView, AWholeTextPasteOfRTFKeepsItsBytesUntilTheTextChanges) {
    TessarilTextView view;
    int changes = 0;
    view.onTextDidChange = [&] { ++changes; };
    putOnPasteboard(pastedRTF, QStringLiteral("Pasted bold\nsecond"));

    view.paste();
    EXPECT_EQ(view.preservedWholePasteRTFData, bytes(pastedRTF));
    EXPECT_EQ(view.attributedText(), platform::RTFReader::read(pastedRTF));
    EXPECT_FALSE(view.isPerformingWholeRTFPaste);
    EXPECT_GE(changes, 1);

    type(view, QStringLiteral("x"));
    EXPECT_FALSE(view.preservedWholePasteRTFData) << "one typed character";

    press(view, Qt::Key_A, Qt::ControlModifier);
    press(view, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(view.preservedWholePasteRTFData, bytes(pastedRTF)) << "select all and ⌘⇧V";

    FixedPhraseTextViewState state = view.textViewState();
    state.selectedRanges = {{0, 6}};
    applyFixedPhraseFontTrait(FixedPhraseFontTrait::bold, state);
    view.applyTextViewState(state);
    EXPECT_FALSE(view.preservedWholePasteRTFData) << "a word made bold";

    view.setSelectedRange({0, 3});
    view.paste();
    EXPECT_FALSE(view.preservedWholePasteRTFData) << "a paste over part of the text";
}

TEST(TessarilTextView, PastesThatAreNotAReadableWholeRTFDocumentKeepNothing) {
    struct Case {
        const char* name;
        std::optional<std::string> rtf;
        bool isRich;
        AttributedText expected;
    };
    const QString text = QStringLiteral("one\r\ntwo");
    for (const auto& [name, rtf, isRich, expected] : std::vector<Case>{
             {"only plain text", std::nullopt, true, richText({{u"one\r\ntwo", system14()}})},
             {"RTF that cannot be read", "{\\rtx not rtf}", true, richText({{u"one\r\ntwo", system14()}})},
             {"a plain editor", pastedRTF, false, richText({{u"one\r\ntwo", system14()}})},
         }) {
        TessarilTextView view;
        view.setRichText(isRich);
        putOnPasteboard(rtf, text);
        press(view, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(view.attributedText(), expected) << name;
        EXPECT_FALSE(view.preservedWholePasteRTFData) << name;
    }
    TessarilTextView preview;
    preview.setReadOnly(true);
    putOnPasteboard(pastedRTF, text);
    preview.paste();
    EXPECT_TRUE(preview.attributedText().empty());
}

TEST(TessarilTextView, KeyEquivalentsCutCopyUndoAndRedo) {
    TessarilTextView view;
    view.setAttributedText(richText({{u"ab", bold14()}, {u"\r\ncd", system14()}}));
    press(view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view.selectedRange(), (TextRange{0, 6}));

    view.setSelectedRange({1, 3});
    press(view, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(copied->text(), QStringLiteral("b\r\n"));
    EXPECT_EQ(platform::RTFReader::read(std::string_view(copied->data(QStringLiteral("text/rtf")).constData())),
              richText({{u"b", bold14()}, {u"\r\n", system14()}}));

    press(view, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(view.attributedText(), richText({{u"a", bold14()}, {u"cd", system14()}}));
    press(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.attributedText(), richText({{u"ab", bold14()}, {u"\r\ncd", system14()}}));
    press(view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(view.attributedText(), richText({{u"a", bold14()}, {u"cd", system14()}}));

    QKeyEvent other(QEvent::KeyPress, Qt::Key_B, Qt::ControlModifier);
    EXPECT_FALSE(view.performKeyEquivalent(other));
}

// List items show a marker drawn in front of them, numbered as the converters number them; text that
// brings its own marker gets none drawn.
TEST(TessarilTextView, ListItemsShowTheirMarkers) {
    using platform::TextList;
    const auto numbered = testing::withParagraph(system14(), testing::listParagraph(TextList::decimal));
    const auto bullet = testing::withParagraph(system14(), testing::listParagraph(TextList::disc));
    const auto roman = testing::withParagraph(system14(), testing::listParagraph("({lower-roman})"));
    TessarilTextView view;
    view.setAttributedText(richText({{u"one\ntwo\n", numbered}, {u"body\n", system14()}, {u"three\n \n", numbered},
                                     {u"four\n", numbered}, {u"dot\n\t•\tpasted\n1. typed\n", bullet},
                                     {u"i\nii", roman}}));
    QStringList markers;
    for (const auto& marker : drawnListMarkers(*view.document())) {
        markers << QString::number(marker.block.blockNumber()) + ":" + marker.text;
    }
    EXPECT_EQ(markers, (QStringList{"0:1.", "1:2.", "3:1.", "5:1.", "6:•", "9:(i)", "10:(ii)"}));
    const QTextBlockFormat drawn = view.document()->findBlockByNumber(0).blockFormat();
    EXPECT_EQ(drawn.leftMargin(), 24);
    EXPECT_EQ(drawn.textIndent(), 0) << "the first line leaves the marker its room";
    EXPECT_EQ(view.document()->findBlockByNumber(7).blockFormat().textIndent(), -24) << "a pasted marker uses the tab stop";
}

TEST(TessarilTextView, TheContextMenuPastesThroughTheView) {
    TessarilTextView view;
    view.contextMenuExtension = [](QMenu& menu) { menu.addAction(QStringLiteral("太字")); };
    putOnPasteboard(pastedRTF, std::nullopt);
    QMenu* menu = view.makeContextMenu();
    QStringList titles;
    QList<bool> enabled;
    for (QAction* action : menu->actions()) {
        titles << action->text();
        enabled << action->isEnabled();
    }
    EXPECT_EQ(titles, (QStringList{"取り消す", "やり直す", "", "カット", "コピー", "ペースト", "", "すべてを選択", "太字"}));
    EXPECT_EQ(enabled, (QList<bool>{false, false, true, false, false, true, true, false, true}));
    menu->actions()[5]->trigger();
    EXPECT_EQ(view.preservedWholePasteRTFData, bytes(pastedRTF));
    delete menu;
}

} // namespace
} // namespace tessaril
