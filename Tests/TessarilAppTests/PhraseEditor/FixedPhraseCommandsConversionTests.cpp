#include <gtest/gtest.h>

#include "TessarilApp/PhraseEditor/FixedPhraseCharacterCommands.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseLinkCommands.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseListCommands.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseParagraphCommands.hpp"
#include "TessarilApp/AppKit/Automation/ScriptedAlertPresenter.hpp"
#include "TessarilAppTests/PhraseEditor/RichTextSamples.hpp"
#include "TessarilAppTests/PhraseEditor/ScriptedLinkPrompt.hpp"
#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"

namespace tessaril {
namespace {

using platform::AttributedText;
using platform::TextRange;
namespace normalizer = FixedPhraseAttributedTextNormalizer;

// What the editor's commands make is what the converters read back: the paragraph styles classify as
// headings, quotes, code and lists, and the character commands as inline emphasis and links.
TEST(FixedPhraseCommandsConversion, EditedTextBecomesMarkdownAndSemanticHTML) {
    FixedPhraseTextViewState state = testing::viewState(
        AttributedText(u"Title\nIntro with bold and link\none\ntwo\nquoted\ncode line", testing::system14()), {{1, 0}});
    auto select = [&](TextRange range) { state.selectedRanges = {range}; };
    appkit::ScriptedAlertPresenter alerts;
    testing::ScriptedLinkPrompt prompt("https://example.com/a_(b)");

    applyFixedPhraseParagraphStyle(FixedPhraseParagraphStyle::heading2, state);
    select({17, 4});
    applyFixedPhraseFontTrait(FixedPhraseFontTrait::bold, state);
    select({26, 4});
    applyFixedPhraseLink(state, alerts, prompt);
    select({32, 5});
    applyFixedPhraseListStyle(FixedPhraseListKind::bullet, state);
    select({40, 0});
    applyFixedPhraseParagraphStyle(FixedPhraseParagraphStyle::quote, state);
    select({50, 0});
    applyFixedPhraseParagraphStyle(FixedPhraseParagraphStyle::code, state);

    EXPECT_EQ(normalizer::markdownText(state.text),
              "## Title\n"
              "Intro with **bold** and [<u>link</u>](https://example.com/a_(b\\))\n"
              "- one\n"
              "- two\n"
              "> quoted\n"
              "```\ncode line\n```");
    EXPECT_EQ(normalizer::semanticHTMLBody(state.text),
              "<h2><span style=\"font-size: 22pt\"><strong>Title</strong></span></h2>\n"
              "<p>Intro with <strong>bold</strong> and <a href=\"https://example.com/a_(b)\">"
              "<span style=\"color: #007AFF\"><u>link</u></span></a></p>\n"
              "<ul>\n<li>one</li>\n<li>two</li>\n</ul>\n"
              "<blockquote>quoted</blockquote>\n"
              "<pre><code><span style=\"background-color: rgba(142, 142, 147, 0.180)\">code line</span></code></pre>");
    EXPECT_EQ(normalizer::plainText(state.text), "Title\nIntro with bold and link\none\ntwo\nquoted\ncode line");

    // Numbered over the bullets, then the same button again: the list goes, the paragraphs stay.
    select({31, 7});
    applyFixedPhraseListStyle(FixedPhraseListKind::numbered, state);
    EXPECT_EQ(normalizer::markdownText(state.text.substring({31, 8})), "1. one\n2. two\n");
    applyFixedPhraseListStyle(FixedPhraseListKind::numbered, state);
    EXPECT_EQ(normalizer::markdownText(state.text.substring({31, 8})), "one\ntwo\n");

    // Body after a heading, clear over code: nothing left for the converters to mark up.
    select({0, 0});
    applyFixedPhraseParagraphStyle(FixedPhraseParagraphStyle::body, state);
    select({46, 9});
    clearFixedPhraseRichFormatting(state);
    EXPECT_EQ(normalizer::markdownText(state.text.substring({0, 6})), "Title\n");
    EXPECT_EQ(normalizer::semanticHTMLBody(state.text.substring({46, 9})), "<p>code line</p>");
}

} // namespace
} // namespace tessaril
