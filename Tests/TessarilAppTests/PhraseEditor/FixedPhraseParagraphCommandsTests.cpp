#include <gtest/gtest.h>

#include "TessarilApp/PhraseEditor/FixedPhraseParagraphCommands.hpp"
#include "TessarilAppTests/PhraseEditor/RichTextSamples.hpp"

namespace tessaril {
namespace {

using platform::AttributedText;
using platform::Color;
using platform::Font;
using platform::FontWeight;
using platform::ParagraphStyle;
using platform::TextAlignment;
using platform::TextAttributes;
using platform::TextRange;
using testing::richText;
using testing::system14;
using testing::viewState;
using testing::withFont;
using testing::withParagraph;

ParagraphStyle spacing(double after, double before, double indent) {
    ParagraphStyle style;
    style.paragraphSpacing = after;
    style.paragraphSpacingBefore = before;
    style.headIndent = indent;
    style.firstLineHeadIndent = indent;
    return style;
}

TextAttributes styled(Font font, ParagraphStyle paragraph, std::optional<Color> background = std::nullopt) {
    TextAttributes attributes = withParagraph(withFont(std::move(font)), std::move(paragraph));
    attributes.backgroundColor = background;
    return attributes;
}

TEST(FixedPhraseParagraphCommands, AParagraphStyleRestylesEveryParagraphOfTheSelection) {
    TextAttributes red20 = withFont(Font::system(20));
    red20.foregroundColor = Color{1, 0, 0, 1};
    TextAttributes centredList = withParagraph(withFont(Font::system(12)), testing::listParagraph(platform::TextList::disc));
    centredList.paragraphStyle->alignment = TextAlignment::center;
    const AttributedText text = richText({{u"Title\n", red20}, {u"small ", centredList}, {u"bold\n", testing::bold14()}, {u"last", {}}});
    const Color grey = Color::systemGray(0.18);
    struct Case {
        FixedPhraseParagraphStyle style;
        TextRange selection;
        AttributedText expected;
        TextRange selected;
    };
    for (const auto& [style, selection, expected, selected] : std::vector<Case>{
             {FixedPhraseParagraphStyle::heading2, {1, 0},
              richText({{u"Title\n", styled(Font::system(22, FontWeight::bold), spacing(8, 10, 0))},
                        {u"small ", centredList}, {u"bold\n", testing::bold14()}, {u"last", {}}}),
              {0, 6}},
             {FixedPhraseParagraphStyle::body, {7, 12},
              richText({{u"Title\n", red20}, {u"small bold\nlast", styled(Font::system(14), spacing(4, 0, 0))}}), {6, 15}},
             {FixedPhraseParagraphStyle::code, {6, 3},
              richText({{u"Title\n", red20}, {u"small ", styled(Font::monospacedSystem(13), spacing(6, 0, 12), grey)},
                        {u"bold\n", styled(Font::monospacedSystem(14), spacing(6, 0, 12), grey)}, {u"last", {}}}),
              {6, 11}},
             {FixedPhraseParagraphStyle::quote, {0, 1},
              richText({{u"Title\n", styled(Font::system(14), spacing(6, 0, 18))}, {u"small ", centredList},
                        {u"bold\n", testing::bold14()}, {u"last", {}}}),
              {0, 6}},
             {FixedPhraseParagraphStyle::heading3, {17, 1},
              richText({{u"Title\n", red20}, {u"small ", centredList}, {u"bold\n", testing::bold14()},
                        {u"last", styled(Font::system(18, FontWeight::semibold), spacing(8, 8, 0))}}),
              {17, 4}},
         }) {
        FixedPhraseTextViewState state = viewState(text, {selection});
        state.preservedWholePasteRTFData = std::vector<std::uint8_t>{'{', '}'};
        applyFixedPhraseParagraphStyle(style, state);
        EXPECT_EQ(state.text, expected) << rawValue(style);
        EXPECT_EQ(state.primarySelectedRange(), selected) << rawValue(style);
        EXPECT_FALSE(state.preservedWholePasteRTFData) << rawValue(style);
    }
}

// A style's font follows the text's size where the style has none of its own. Body and quote never
// keep a heading's size: the converters would still read the paragraph as a heading.
TEST(FixedPhraseParagraphCommands, AStylesFontTakesTheTextsSizeWhereItHasNoneOfItsOwn) {
    struct Case {
        FixedPhraseParagraphStyle style;
        double size;
        Font expected;
    };
    for (const auto& [style, size, expected] : std::vector<Case>{
             {FixedPhraseParagraphStyle::heading2, 20, Font::system(22, FontWeight::bold)},
             {FixedPhraseParagraphStyle::heading3, 10, Font::system(18, FontWeight::semibold)},
             {FixedPhraseParagraphStyle::body, 12, Font::system(14)},
             {FixedPhraseParagraphStyle::body, 16.9, Font::system(16.9)},
             {FixedPhraseParagraphStyle::body, 22, Font::system(14)},
             {FixedPhraseParagraphStyle::quote, 17, Font::system(14)},
             {FixedPhraseParagraphStyle::code, 12, Font::monospacedSystem(13)},
             {FixedPhraseParagraphStyle::code, 22, Font::monospacedSystem(22)},
         }) {
        EXPECT_EQ(fixedPhraseParagraphFont(style, size), expected) << rawValue(style) << " at " << size;
    }
}

// The empty line after the last line end has no characters: the style waits for what is typed there.
TEST(FixedPhraseParagraphCommands, OnTheEmptyLastLineOnlyTheTypingAttributesChange) {
    TextAttributes typing = testing::bold14();
    typing.backgroundColor = Color{1, 1, 0, 1};
    typing.underlineStyle = 1;
    for (const AttributedText& text : {AttributedText(), richText({{u"a\n", system14()}})}) {
        FixedPhraseTextViewState state = viewState(text, {{text.length(), 0}}, typing);
        applyFixedPhraseParagraphStyle(FixedPhraseParagraphStyle::heading2, state);
        EXPECT_EQ(state.text, text);
        TextAttributes expected = styled(Font::system(22, FontWeight::bold), spacing(8, 10, 0), Color{1, 1, 0, 1});
        expected.underlineStyle = 1;
        EXPECT_EQ(state.typingAttributes, expected);
        applyFixedPhraseParagraphStyle(FixedPhraseParagraphStyle::code, state);
        EXPECT_EQ(state.typingAttributes.backgroundColor, Color::systemGray(0.18));
        EXPECT_EQ(state.typingAttributes.font, Font::monospacedSystem(14));
    }
}

TEST(FixedPhraseParagraphCommands, AlignmentReplacesTheParagraphLayoutOrAlignsTheCaretParagraph) {
    const TextAttributes heading = styled(Font::system(22, FontWeight::bold), spacing(8, 10, 0));
    const AttributedText text = richText({{u"Head\n", heading}, {u"body", system14()}});
    ParagraphStyle centred;
    centred.alignment = TextAlignment::center;

    FixedPhraseTextViewState selection = viewState(text, {{1, 2}});
    applyFixedPhraseParagraphAlignment(TextAlignment::center, selection);
    EXPECT_EQ(selection.text, richText({{u"Head\n", withParagraph(withFont(Font::system(22, FontWeight::bold)), centred)},
                                        {u"body", system14()}}))
        << "centring a heading drops its heading spacing";

    FixedPhraseTextViewState caret = viewState(text, {{7, 0}}, system14());
    applyFixedPhraseParagraphAlignment(TextAlignment::right, caret);
    ParagraphStyle right;
    right.alignment = TextAlignment::right;
    EXPECT_EQ(caret.text, richText({{u"Head\n", heading}, {u"body", withParagraph(system14(), right)}}));
    EXPECT_EQ(caret.typingAttributes, withParagraph(system14(), right));
}

TEST(FixedPhraseParagraphCommands, ClearingLeavesOnlyTheSystemFont) {
    TextAttributes rich = styled(Font::system(22, FontWeight::bold), spacing(8, 10, 0), Color{1, 0, 0, 1});
    rich.link = "https://a.test";
    rich.strikethroughStyle = 1;
    FixedPhraseTextViewState state = viewState(richText({{u"abc\nd", rich}}), {{1, 3}});
    clearFixedPhraseRichFormatting(state);
    EXPECT_EQ(state.text, richText({{u"a", rich}, {u"bc\n", system14()}, {u"d", rich}}));
    EXPECT_EQ(state.primarySelectedRange(), (TextRange{1, 3}));

    FixedPhraseTextViewState caret = viewState(richText({{u"abc", rich}}), {{1, 0}}, rich);
    clearFixedPhraseRichFormatting(caret);
    EXPECT_EQ(caret.typingAttributes, system14());
    EXPECT_EQ(caret.text, richText({{u"abc", rich}}));
}

TEST(FixedPhraseParagraphCommands, ParagraphRangesListEachTouchedParagraphOnce) {
    const AttributedText text(u"ab\r\n\ncd\u2029ef");
    struct Case {
        TextRange covering;
        std::vector<TextRange> expected;
    };
    for (const auto& [covering, expected] : std::vector<Case>{
             {{0, 0}, {{0, 4}}},
             {{1, 4}, {{0, 4}, {4, 1}}},
             {{1, 5}, {{0, 4}, {4, 1}, {5, 3}}},
             {{3, 0}, {{0, 4}}},
             {{10, 0}, {{8, 2}}},
             {{0, 10}, {{0, 4}, {4, 1}, {5, 3}, {8, 2}}},
         }) {
        EXPECT_EQ(fixedPhraseParagraphRanges(text, covering), expected) << covering.location << "+" << covering.length;
    }
    EXPECT_TRUE(fixedPhraseParagraphRanges(AttributedText(), {0, 0}).empty());
}

} // namespace
} // namespace tessaril
