#include <gtest/gtest.h>

#include "TessarilMac/TextActions/FixedPhraseAttributedStrings.hpp"
#include "TessarilMac/TextActions/FixedPhraseHTMLFrame.hpp"
#include "TessarilMac/TextActions/FixedPhrasePayload.hpp"
#include "TessarilMacTests/RichText/RichTextTestSupport.hpp"

namespace tessaril {
namespace {

using namespace rich_text_test;
using Input = FixedPhraseInputMode;
using Preview = FixedPhrasePreviewMode;

FixedPhraseInsertion phrase(std::string plainText, Input input, Preview preview,
                            std::optional<std::string> htmlText = std::nullopt) {
    FixedPhraseInsertion insertion;
    insertion.plainText = std::move(plainText);
    insertion.htmlText = std::move(htmlText);
    insertion.inputMode = input;
    insertion.previewMode = preview;
    return insertion;
}

TEST(FixedPhrasePayload, TextPayloadRendersOnlyTagLikePlainHTML) {
    struct Case {
        const char* name;
        FixedPhraseInsertion insertion;
        const char* expected;
    };
    const Case cases[] = {
        {"rendered and trimmed", phrase("<p> Hello <b>world</b> </p>\n", Input::plain, Preview::html),
         "Hello world"},
        {"no tag-like text", phrase("a < b & c", Input::plain, Preview::html), "a < b & c"},
        {"renders to blanks", phrase("<p> </p><script>x</script>", Input::plain, Preview::html),
         "<p> </p><script>x</script>"},
        {"html text wins", phrase("source", Input::plain, Preview::html, "<i>shown</i>"), "shown"},
        {"empty html text", phrase("<i>own</i>", Input::plain, Preview::html, ""), "own"},
        {"markdown stays source", phrase("**b**", Input::plain, Preview::markdown), "**b**"},
        {"rich stays plain", phrase("<b>x</b>", Input::rich, Preview::html), "<b>x</b>"},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(fixedPhraseTextPayload(entry.insertion), entry.expected) << entry.name;
    }
}

TEST(FixedPhrasePayload, ClipboardHTMLByInputAndPreviewMode) {
    struct Case {
        const char* name;
        FixedPhraseInsertion insertion;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"raw", phrase("<b>x</b>", Input::plain, Preview::raw), std::nullopt},
        {"rich", phrase("x", Input::rich, Preview::markdown), std::nullopt},
        {"markdown framed", phrase("*x*", Input::plain, Preview::markdown),
         std::string(fixedPhraseHTMLFrameHead()) + "<p><em>x</em></p></body>\n</html>"},
        {"empty markdown framed", phrase("", Input::plain, Preview::markdown),
         fixedPhraseHTMLDocument("<p><br></p>")},
        {"html sanitised, no frame", phrase("<p class=x>y</p>", Input::plain, Preview::html), "<p>y</p>"},
        {"html sanitised to nothing", phrase("<script>x</script>", Input::plain, Preview::html), ""},
        {"empty html source", phrase("", Input::plain, Preview::html, ""), std::nullopt},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(fixedPhraseClipboardHTML(entry.insertion), entry.expected) << entry.name;
    }
    EXPECT_EQ(fixedPhraseHTMLFrameHead().size(), 519u);
    EXPECT_TRUE(fixedPhraseHTMLFrameHead().ends_with("</style>\n</head>\n<body>"));
}

TEST(FixedPhrasePayload, VisualFormsAndRTF) {
    EXPECT_EQ(fixedPhraseVisualAttributedString(phrase("a\nb", Input::plain, Preview::raw)),
              text({{"a\nb", withFont(Font::system(14))}}));
    auto html = fixedPhraseVisualAttributedString(
        phrase("x", Input::plain, Preview::html, "<p onclick=\"y\">Hi</p><script>z</script>"));
    ASSERT_TRUE(html);
    EXPECT_EQ(html->utf8String(), "Hi\n");
    auto markdown =
        fixedPhraseVisualAttributedString(phrase("# Title\n**b**", Input::plain, Preview::markdown));
    ASSERT_TRUE(markdown);
    EXPECT_EQ(markdown->utf8String(), "Title\nb\n");
    EXPECT_TRUE(markdown->attributes(0).font->isBold());

    EXPECT_EQ(fixedPhraseRTFData(AttributedText()), std::nullopt);
    auto rtf = fixedPhraseRTFData(text({{"é", body()}}));
    ASSERT_TRUE(rtf);
    EXPECT_TRUE(rtf->starts_with("{\\rtf1"));
}

// What goes on the pasteboard never carries a link that could run script, even from unsanitised HTML.
TEST(FixedPhrasePayload, RenderedHTMLKeepsOnlySafeLinks) {
    auto rendered = fixedPhraseAttributedString(
        "<a href=\"javascript:alert(1)\">bad</a> <a href=\"https://a.test/\">good</a>", false);
    ASSERT_TRUE(rendered);
    EXPECT_EQ(rendered->utf8String(), "bad good\n");
    EXPECT_EQ(rendered->attributes(0).link, std::nullopt);
    EXPECT_EQ(rendered->attributes(4).link, "https://a.test/");
}

} // namespace
} // namespace tessaril
