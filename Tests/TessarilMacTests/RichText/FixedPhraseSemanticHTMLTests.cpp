#include <gtest/gtest.h>

#include <cmath>

#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"
#include "TessarilMacTests/RichText/RichTextTestSupport.hpp"

namespace tessaril {
namespace {

using namespace rich_text_test;
namespace normalizer = FixedPhraseAttributedTextNormalizer;

TEST(FixedPhraseSemanticHTML, EmptyTextAndEmptyParagraph) {
    EXPECT_EQ(normalizer::semanticHTMLBody(AttributedText()), "");
    EXPECT_EQ(normalizer::semanticHTMLBody(text({{" \n", body()}})), "<p><br></p>");
}

TEST(FixedPhraseSemanticHTML, ListsOpenCloseAndSwitchKind) {
    AttributedText document = text({{"\u2022\ta\n", listItem(TextList::disc)},
                                    {"b\n", listItem(TextList::disc)},
                                    {"1. c\n", listItem(TextList::decimal)},
                                    {"\u2022  \n", listItem(TextList::disc)},
                                    {"after", body()}});
    EXPECT_EQ(normalizer::semanticHTMLBody(document),
              "<ul>\n<li>a</li>\n<li>b</li>\n</ul>\n<ol>\n<li>c</li>\n</ol>\n<ul>\n<li>\u2022</li>\n</"
              "ul>\n<p>after</p>");
}

// A line break inside a list item (a line separator) is a <br> inside the item's <li>.
TEST(FixedPhraseSemanticHTML, LineBreakInsideAListItemIsABreakInTheItem) {
    TextAttributes linked = listItem(TextList::disc);
    linked.link = "https://x.example/a\u2028b";
    AttributedText document = text({{"\t\u2022\tone\u2028<continued>\n", listItem(TextList::disc)},
                                    {"l\u2028k", linked},
                                    {"\u2028\n", listItem(TextList::disc)}});
    EXPECT_EQ(normalizer::semanticHTMLBody(document),
              "<ul>\n<li>one<br>&lt;continued&gt;</li>\n"
              "<li><a href=\"https://x.example/a\u2028b\">l<br>k</a></li>\n</ul>");
}

TEST(FixedPhraseSemanticHTML, BlocksCarryKindAndAlignment) {
    TextAttributes centredHeading = withFont(Font::system(22, FontWeight::bold));
    centredHeading.paragraphStyle = ParagraphStyle{};
    centredHeading.paragraphStyle->alignment = platform::TextAlignment::center;
    TextAttributes natural = body();
    natural.paragraphStyle = ParagraphStyle{};
    TextAttributes quote = body();
    quote.paragraphStyle = ParagraphStyle{};
    quote.paragraphStyle->firstLineHeadIndent = 16;
    quote.paragraphStyle->alignment = platform::TextAlignment::justified;
    AttributedText document = text({{"Title\n", centredHeading},
                                    {"plain\n", natural},
                                    {"cited\n", quote},
                                    {"let x = \"<y>\"\n", withFont(Font::monospacedSystem(14))},
                                    {"sub", withFont(Font::system(18))}});
    EXPECT_EQ(normalizer::semanticHTMLBody(document),
              "<h2 style=\"text-align: center\"><span style=\"font-size: "
              "22pt\"><strong>Title</strong></span></h2>\n"
              "<p>plain</p>\n"
              "<blockquote style=\"text-align: justify\">cited</blockquote>\n"
              "<pre><code>let x = &quot;&lt;y&gt;&quot;</code></pre>\n"
              "<h3><span style=\"font-size: 18pt\">sub</span></h3>");
}

TEST(FixedPhraseSemanticHTML, InlineRunsNestInOrder) {
    TextAttributes all = withFont(Font::monospacedSystem(14, FontWeight::bold));
    all.font->italic = true;
    all.underlineStyle = 1;
    all.strikethroughStyle = 2;
    all.link = "https://example.com/?q='x'";
    TextAttributes red = body();
    red.foregroundColor = Color{1, 0, 0, 1};
    red.backgroundColor = Color{0, 0, 0, 0.5};
    AttributedText document = text({{"a<b", all}, {" red", red}});
    EXPECT_EQ(normalizer::htmlInlineText(document, {0, document.length()}, true),
              "<a href=\"https://example.com/?q=&#39;x&#39;\">"
              "<span style=\"font-family: ui-monospace, SFMono-Regular, Menlo, monospace\">"
              "<strong><em><s><u><code>a&lt;b</code></u></s></em></strong></span></a>"
              "<span style=\"color: #FF0000; background-color: rgba(0, 0, 0, 0.500)\"> red</span>");
}

// A link that could run script keeps its text but not its anchor.
TEST(FixedPhraseSemanticHTML, UnsafeLinksLoseTheirAnchor) {
    for (const char* target :
         {"javascript:alert(1)", " JAVASCRIPT:x", "data:text/html,x", "vbscript:x", "file:///etc"}) {
        TextAttributes link = body();
        link.link = target;
        EXPECT_EQ(normalizer::semanticHTMLBody(text({{"x", link}})), "<p>x</p>") << target;
    }
    TextAttributes relative = body();
    relative.link = "#part";
    EXPECT_EQ(normalizer::semanticHTMLBody(text({{"x", relative}})), "<p><a href=\"#part\">x</a></p>");
}

TEST(FixedPhraseSemanticHTML, CSSValues) {
    struct SizeCase {
        double size;
        const char* expected;
    };
    for (const auto& entry : {SizeCase{15, "15pt"}, SizeCase{10.25, "10.3pt"}, SizeCase{10.24, "10.2pt"},
                              SizeCase{9.96, "10pt"}, SizeCase{-0.04, "0pt"}, SizeCase{1e6, "1000000pt"},
                              // Beyond any font: held at the largest size RTF carries, at nothing, or the body size.
                              SizeCase{1e308, "500000000pt"}, SizeCase{INFINITY, "500000000pt"},
                              SizeCase{-5, "0pt"}, SizeCase{NAN, "14pt"}}) {
        EXPECT_EQ(normalizer::cssPointSize(entry.size), entry.expected) << entry.size;
    }
    EXPECT_EQ(normalizer::inlineCSSStyle(withFont(Font::system(14.05))), std::nullopt);
    EXPECT_EQ(normalizer::cssColor(Color{0.5, 0.5, 0.5, 1}), "#808080");
    EXPECT_EQ(normalizer::cssColor(Color{1, 1, 1, 0.9995}), "#FFFFFF");
    EXPECT_EQ(normalizer::cssColor(Color{0.2, 0.4, 0.6, 0.25}), "rgba(51, 102, 153, 0.250)");
    // Components outside 0…1 are held at the ends, so the value stays valid CSS.
    EXPECT_EQ(normalizer::cssColor(Color{1.4, -0.2, 0.5, 1}), "#FF0080");
}

} // namespace
} // namespace tessaril
