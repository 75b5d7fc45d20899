#include <gtest/gtest.h>

#include "TessarilApp/PhraseEditor/FixedPhraseListCommands.hpp"
#include "TessarilAppTests/PhraseEditor/RichTextSamples.hpp"

namespace tessaril {
namespace {

using platform::AttributedText;
using platform::ParagraphStyle;
using platform::TextList;
using platform::TextRange;
using testing::listParagraph;
using testing::richText;
using testing::system14;
using testing::viewState;
using testing::withParagraph;

const auto bullet = withParagraph(system14(), listParagraph(TextList::disc));
const auto numbered = withParagraph(system14(), listParagraph(TextList::decimal));
const auto unlisted = withParagraph(system14(), ParagraphStyle{});

// A blank paragraph in the selection is listed with the others but does not decide the toggle.
TEST(FixedPhraseListCommands, AListIsAToggleDecidedByTheNonBlankParagraphs) {
    FixedPhraseTextViewState state = viewState(richText({{u"one\n \ntwo", system14()}}), {{1, 7}});
    applyFixedPhraseListStyle(FixedPhraseListKind::bullet, state);
    EXPECT_EQ(state.text, richText({{u"one\n \ntwo", bullet}}));
    EXPECT_EQ(state.primarySelectedRange(), (TextRange{0, 9}));
    EXPECT_EQ(state.typingAttributes.paragraphStyle, listParagraph(TextList::disc));

    applyFixedPhraseListStyle(FixedPhraseListKind::bullet, state);
    EXPECT_EQ(state.text, richText({{u"one\n \ntwo", unlisted}}));
    EXPECT_EQ(state.typingAttributes.paragraphStyle, ParagraphStyle{});

    FixedPhraseTextViewState partly = viewState(richText({{u"one\n", bullet}, {u" \n", system14()}, {u"two", system14()}}), {{0, 9}});
    applyFixedPhraseListStyle(FixedPhraseListKind::bullet, partly);
    EXPECT_EQ(partly.text, richText({{u"one\n \ntwo", bullet}})) << "one listed paragraph is not enough to remove";
}

TEST(FixedPhraseListCommands, TheOtherKindReplacesAList) {
    const std::vector<std::pair<const char*, ParagraphStyle>> lists{
        {"disc", listParagraph(TextList::disc)},
        {"letters count as bullets", listParagraph("{lower-alpha}.")},
        {"a square", listParagraph(TextList::square)},
    };
    for (const auto& [name, style] : lists) {
        FixedPhraseTextViewState state = viewState(richText({{u"a\nb", withParagraph(system14(), style)}}), {{0, 3}});
        applyFixedPhraseListStyle(FixedPhraseListKind::numbered, state);
        EXPECT_EQ(state.text, richText({{u"a\nb", numbered}})) << name;
    }
    FixedPhraseTextViewState romans = viewState(richText({{u"a", withParagraph(system14(), listParagraph("{upper-roman}"))}}), {{0, 0}});
    applyFixedPhraseListStyle(FixedPhraseListKind::bullet, romans);
    EXPECT_EQ(romans.text, richText({{u"a", unlisted}}))
        << "roman numerals hold no decimal digit: the converters read a bullet list, so bullet takes it away";
}

// Indents that were there before the list stay when it goes: below 24 points, or hanging.
TEST(FixedPhraseListCommands, RemovingKeepsIndentsTheListDidNotSet) {
    ParagraphStyle indented = listParagraph(TextList::disc);
    indented.headIndent = 18;
    indented.firstLineHeadIndent = -4;
    FixedPhraseTextViewState state = viewState(richText({{u"item", withParagraph(system14(), indented)}}), {{2, 0}});
    applyFixedPhraseListStyle(FixedPhraseListKind::bullet, state);
    ParagraphStyle kept;
    kept.headIndent = 18;
    kept.firstLineHeadIndent = -4;
    EXPECT_EQ(state.text, richText({{u"item", withParagraph(system14(), kept)}}));
}

// With the caret on the empty line after the last line end only the next typed line is listed; any
// paragraph separator ends that last line.
TEST(FixedPhraseListCommands, OnTheEmptyLastLineTheTypingAttributesCarryTheList) {
    for (const AttributedText& text : {AttributedText(), richText({{u"a\n", system14()}}), richText({{u"a\r", system14()}}),
                                       richText({{u"a\u2029", system14()}}), richText({{u"a\u0085", system14()}})}) {
        FixedPhraseTextViewState state = viewState(text, {{text.length(), 0}}, system14());
        applyFixedPhraseListStyle(FixedPhraseListKind::numbered, state);
        EXPECT_EQ(state.text, text);
        EXPECT_EQ(state.typingAttributes, numbered);
        applyFixedPhraseListStyle(FixedPhraseListKind::numbered, state);
        EXPECT_EQ(state.typingAttributes, unlisted);
    }
}

} // namespace
} // namespace tessaril
