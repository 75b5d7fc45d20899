#include <gtest/gtest.h>

#include "TessarilApp/PhraseEditor/FixedPhrasePlainMarkup.hpp"
#include "TessarilAppTests/PhraseEditor/RichTextSamples.hpp"

namespace tessaril {
namespace {

using platform::AttributedText;
using platform::TextRange;
using Style = FixedPhraseParagraphStyle;
using Mode = FixedPhrasePreviewMode;

TEST(FixedPhrasePlainMarkup, RewritesTheSelectedParagraphsReplacingTheirEarlierMarkup) {
    struct Case {
        const char* name;
        Mode mode;
        Style style;
        std::u16string text;
        TextRange selection;
        std::u16string expected;
        TextRange selected;
    };
    for (const auto& [name, mode, style, text, selection, expected, selected] : std::vector<Case>{
             {"heading 2 to 3", Mode::markdown, Style::heading3, u"## Title\nrest", {4, 0}, u"### Title\nrest", {0, 10}},
             {"quote on two paragraphs", Mode::markdown, Style::quote, u"a\nb\n", {0, 3}, u"> a\n> b\n", {0, 8}},
             {"code fences", Mode::markdown, Style::code, u"x = 1", {0, 0}, u"```\nx = 1\n```", {0, 13}},
             {"body takes the fences away", Mode::markdown, Style::body, u"```\nx = 1\n```", {0, 13}, u"x = 1", {0, 5}},
             {"only the first line loses its prefix", Mode::markdown, Style::heading3, u"## a\n## b", {0, 9},
              u"### a\n## b", {0, 10}},
             {"a quote prefix goes", Mode::markdown, Style::heading2, u"> said", {0, 0}, u"## said", {0, 7}},
             {"a carriage return stays the line end", Mode::markdown, Style::heading2, u"a\rb", {0, 0}, u"## a\rb", {0, 5}},
             {"a CRLF stays the line end", Mode::markdown, Style::heading2, u"a\r\nb", {0, 0}, u"## a\r\nb", {0, 6}},
             {"heading to body", Mode::html, Style::body, u"<h2>T</h2>", {0, 0}, u"<p>T</p>", {0, 8}},
             {"a p wrapper is kept inside", Mode::html, Style::heading2, u"<p>T</p>", {0, 0}, u"<h2><p>T</p></h2>", {0, 17}},
             {"code to quote", Mode::html, Style::quote, u"<pre><code>a<b</code></pre>\n", {0, 0},
              u"<blockquote>a<b</blockquote>\n", {0, 29}},
             {"the empty last line", Mode::markdown, Style::heading2, u"a\n", {2, 0}, u"a\n## ", {2, 3}},
         }) {
        FixedPhraseTextViewState state = testing::viewState(AttributedText(text, testing::system14()), {selection});
        state.preservedWholePasteRTFData = std::vector<std::uint8_t>{'{', '}'};
        EXPECT_TRUE(applyFixedPhrasePlainMarkupStyle(style, mode, state)) << name;
        EXPECT_EQ(state.text, AttributedText(expected, testing::system14())) << name;
        EXPECT_EQ(state.primarySelectedRange(), selected) << name;
        EXPECT_FALSE(state.preservedWholePasteRTFData) << name;
    }
}

TEST(FixedPhrasePlainMarkup, TheRawModeHasNoMarkup) {
    FixedPhraseTextViewState state = testing::viewState(AttributedText(u"## a"), {{0, 0}});
    state.preservedWholePasteRTFData = std::vector<std::uint8_t>{'{', '}'};
    const FixedPhraseTextViewState before = state;
    EXPECT_FALSE(applyFixedPhrasePlainMarkupStyle(Style::heading3, Mode::raw, state));
    EXPECT_EQ(state, before);
}

TEST(FixedPhrasePlainMarkup, CoreTextStripsOneLayerOfEachMarkup) {
    const std::vector<std::pair<std::u16string, std::u16string>> cases{
        {u"###### six", u"six"},
        {u"####### seven", u"####### seven"},
        {u"#tag", u"#tag"},
        {u"#\u3000全角", u"全角"},
        {u"> ## heading after quote", u"## heading after quote"},
        {u"<h4>x</h4>", u"x"},
        {u"<h2>a</h2><h2>b</h2>", u"a</h2><h2>b"},
        {u"<small><code>c</code></small>", u"<code>c</code>"},
        {u"<code>c</code>", u"c"},
        {u"<h2>open", u"<h2>open"},
        {u"```", u""},
        {u"```\n```", u""},
        {u"```js\nx\n```", u"js\nx"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(fixedPhrasePlainMarkupCoreText(text), expected) << unicode::fromUTF16(text);
    }
}

} // namespace
} // namespace tessaril
