#include <gtest/gtest.h>

#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"
#include "TessarilMacTests/RichText/RichTextTestSupport.hpp"

namespace tessaril {
namespace {

using namespace rich_text_test;
namespace normalizer = FixedPhraseAttributedTextNormalizer;

TEST(FixedPhraseAttributedTextNormalizer, EmptyTextGivesEmptyForms) {
    EXPECT_EQ(normalizer::plainText(AttributedText()), "");
    EXPECT_EQ(normalizer::markdownText(AttributedText()), "");
}

TEST(FixedPhraseAttributedTextNormalizer, ListItemsLosePastedMarkersAndAreNumberedAnew) {
    const auto bullet = listItem(TextList::disc);
    const auto numbered = listItem(TextList::decimal);
    const auto letters = listItem("{lower-alpha}");
    AttributedText document = text({{"\u2022\tWord\n", bullet},
                                    {"I agree\n", bullet},
                                    {"1) One\n", numbered},
                                    {"Two\n3.\tThree\n", numbered},
                                    {"Para\n", body()},
                                    {"Four\n", numbered},
                                    {"a. Five\n", letters},
                                    {"\u00A0\n", numbered},
                                    {"Six", numbered}});
    EXPECT_EQ(normalizer::markdownText(document),
              "- Word\n- I agree\n1. One\n2. Two\n3. Three\nPara\n1. Four\n- a. Five\n\u00A0\n1. Six");
    EXPECT_EQ(normalizer::plainText(document),
              "Word\nI agree\nOne\nTwo\nThree\nPara\nFour\na. Five\n\u00A0\nSix");
}

// The pasted number must go before the item is escaped: "1)" escaped as "1\)" no longer looks like one.
TEST(FixedPhraseAttributedTextNormalizer, MarkdownItemMarkerIsCutBeforeStyling) {
    auto bold = listItem(TextList::decimal, withFont(Font::system(14, FontWeight::bold)));
    EXPECT_EQ(normalizer::markdownText(text({{"1) ", listItem(TextList::decimal)}, {"One", bold}})),
              "1. **One**");
    EXPECT_EQ(normalizer::markdownText(text({{"\u2022  ", listItem(TextList::disc)}})), "- \u2022");
}

TEST(FixedPhraseAttributedTextNormalizer, ParagraphKindsBecomeMarkdownBlocks) {
    TextAttributes code = body();
    code.backgroundColor = Color{0.9, 0.9, 0.9, 1};
    TextAttributes quote = body();
    quote.paragraphStyle = ParagraphStyle{};
    quote.paragraphStyle->headIndent = 18;
    AttributedText document = text({{"Big *title*\n", withFont(Font::system(24))},
                                    {"Smaller\n", withFont(Font::system(18, FontWeight::semibold))},
                                    {"Almost\n", withFont(Font::system(16.9))},
                                    {"let *x* = 1\n", code},
                                    {"mono\n", withFont(Font::monospacedSystem(13))},
                                    {"  said  \n", quote},
                                    {"  \n", withFont(Font::system(24))},
                                    {"end", body()}});
    EXPECT_EQ(
        normalizer::markdownText(document),
        "## Big \\*title\\*\n### Smaller\nAlmost\n```\nlet *x* = 1\n```\n```\nmono\n```\n> said\n  \nend");
}

TEST(FixedPhraseAttributedTextNormalizer, InlineStylesWrapInOrder) {
    TextAttributes boldItalic = withFont(Font::system(14, FontWeight::bold));
    boldItalic.font->italic = true;
    TextAttributes underlined = body();
    underlined.underlineStyle = 1;
    underlined.strikethroughStyle = 1;
    TextAttributes noLine = body();
    noLine.underlineStyle = 0;
    TextAttributes link = body();
    link.link = "https://example.com/a)b";
    AttributedText document = text({{"a*b", withFont(Font::system(14, FontWeight::bold))},
                                    {" x", boldItalic},
                                    {" `c`", withFont(Font::monospacedSystem(14))},
                                    {" u", underlined},
                                    {" n", noLine},
                                    {" [go]", link}});
    EXPECT_EQ(normalizer::markdownText(document),
              "**a\\*b***** x***` \\\\`c\\\\``~~<u> u</u>~~ n[ \\[go\\]](https://example.com/a\\)b)");
}

// Every character that ends a paragraph stays as its line end; nothing is glued to the next paragraph.
TEST(FixedPhraseAttributedTextNormalizer, KeepsEveryLineEnd) {
    AttributedText document = text({{"a\r\nb\rc", body()},
                                    {"\u2029Head\u2029", withFont(Font::system(22))},
                                    {"item\u0085", listItem(TextList::disc)},
                                    {"d\u2028e", body()}});
    EXPECT_EQ(normalizer::plainText(document), "a\r\nb\rc\u2029Head\u2029item\u0085d\u2028e");
    EXPECT_EQ(normalizer::markdownText(document), "a\r\nb\rc\u2029## Head\u2029- item\u0085d\u2028e");
}

// A line break inside a list item (a line separator) keeps the item one item: in markdown its next line
// is a continuation indented under the item's text.
TEST(FixedPhraseAttributedTextNormalizer, LineBreakInsideAListItemContinuesTheItem) {
    const AttributedText bullets = text({{"\t\u2022\tone\u2028continued\n\t\u2022\ttwo\u2028\n", listItem(TextList::disc)}});
    EXPECT_EQ(normalizer::markdownText(bullets), "- one\n  continued\n- two\n");
    EXPECT_EQ(normalizer::plainText(bullets), "one\u2028continued\ntwo\n");
    AttributedText numbered;
    for (int item = 1; item <= 10; ++item) numbered.append(u"a\u2028b\n", listItem(TextList::decimal));
    const std::string markdown = normalizer::markdownText(numbered);
    EXPECT_EQ(markdown.substr(0, 12), "1. a\n   b\n2.");
    EXPECT_EQ(markdown.substr(markdown.size() - 12), "10. a\n    b\n");
}

TEST(FixedPhraseAttributedTextNormalizer, ListItemRangeSkipsMarkersAndTrimCharacters) {
    struct Case {
        std::u16string body;
        platform::TextRange expected;
    };
    const Case cases[] = {
        {u"\u2022\tWord", {12, 4}}, {u" \u202F- 1) x \u00A0", {17, 1}},
        {u"\u2022  ", {10, 1}},     {u"I agree", {10, 7}},
        {u"  ", {12, 0}},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(normalizer::normalizedListItemRange(entry.body, {10, entry.body.size()}), entry.expected);
    }
}

} // namespace
} // namespace tessaril
