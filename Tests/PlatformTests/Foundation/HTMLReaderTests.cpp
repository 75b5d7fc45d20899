#include "Platform/Foundation/HTMLReader.hpp"

#include <gtest/gtest.h>

#include "PlatformTests/Foundation/RichTextTestSupport.hpp"

namespace tessaril::platform {
namespace {

using test_support::changed;
using test_support::named;
using test_support::runs;
using test_support::with;
using test_support::withFont;

const TextAttributes body = withFont(Font::system(14));

TextAttributes bodyWith(const std::function<void(TextAttributes&)>& set) { return changed(body, set); }

TextAttributes code() {
    TextAttributes attributes = withFont(Font::monospacedSystem(13));
    attributes.backgroundColor = Color::systemGray(0.18);
    return attributes;
}

ParagraphStyle listItem(std::vector<std::string> formats) {
    ParagraphStyle style;
    const double depth = static_cast<double>(formats.size());
    style.firstLineHeadIndent = 24 * (depth - 1);
    style.headIndent = 24 * depth;
    style.tabStops = {{TextAlignment::left, style.firstLineHeadIndent + 8}, {TextAlignment::left, style.headIndent}};
    for (auto& format : formats) style.textLists.push_back(TextList{std::move(format)});
    return style;
}

ParagraphStyle spaced(double indent, double after, double before) {
    ParagraphStyle style;
    style.headIndent = style.firstLineHeadIndent = indent;
    style.paragraphSpacing = after;
    style.paragraphSpacingBefore = before;
    return style;
}

// Rendered markdown in the pasteboard's HTML frame reads back into the editor's paragraph looks.
TEST(HTMLReader, RenderedMarkdownTakesTheEditorsParagraphStyles) {
    const std::string frameHead =
        "<html>\n<head>\n<meta charset=\"utf-8\">\n<style>\n"
        "body { font-family: -apple-system, BlinkMacSystemFont, sans-serif; font-size: 14px; line-height: 1.55; }\n"
        "code, pre { font-family: ui-monospace, SFMono-Regular, Menlo, monospace; background: rgba(127,127,127,0.16); }\n"
        "</style>\n</head>\n<body>";
    const std::string markdownBody =
        "<h2>Title</h2>\n<h3>Sub</h3>\n"
        "<p>Some <strong>bold</strong> and <code>code</code> with <a href=\"https://x.example/?a=1&amp;b=2\">link</a></p>\n"
        "<p><br></p>\n<blockquote>quoted <em>text</em></blockquote>\n"
        "<ul>\n<li>one</li>\n<li>two</li>\n</ul>\n<ol>\n<li>first</li>\n<li>second</li>\n</ol>\n"
        "<pre><code>let x = 1\n  &lt;tag&gt;</code></pre>";
    const AttributedText text = HTMLReader::read(frameHead + markdownBody + "</body>\n</html>");

    const ParagraphStyle quote = spaced(18, 6, 0);
    EXPECT_EQ(text, runs({
                        {u"Title\n", with(withFont(Font::system(22, FontWeight::bold)), spaced(0, 8, 10))},
                        {u"Sub\n", with(withFont(Font::system(18, FontWeight::semibold)), spaced(0, 8, 8))},
                        {u"Some ", body},
                        {u"bold", withFont(Font::system(14, FontWeight::bold))},
                        {u" and ", body},
                        {u"code", code()},
                        {u" with ", body},
                        {u"link", bodyWith([](auto& a) { a.link = "https://x.example/?a=1&b=2"; })},
                        {u"\n\n", body},
                        {u"quoted ", with(body, quote)},
                        {u"text", with(withFont(named(".SystemUI", 14, FontWeight::regular, true)), quote)},
                        {u"\n", with(body, quote)},
                        {u"\t•\tone\n\t•\ttwo\n", with(body, listItem({"{disc}"}))},
                        {u"\t1.\tfirst\n\t2.\tsecond\n", with(body, listItem({"{decimal}"}))},
                        {u"let x = 1\n  <tag>\n", with(code(), spaced(12, 6, 0))},
                    }));
}

TEST(HTMLReader, WhiteSpaceCollapsesOutsidePreAndReferencesDecode) {
    const std::vector<std::pair<std::string, std::u16string>> cases = {
        {"", u""},
        {"<p></p>", u""},
        {"  a \n\t b  ", u"a b\n"},
        {"<p>a<br>b</p>", u"a\nb\n"},
        {"<div>x</div><div>y</div>z", u"x\ny\nz\n"},
        {"<pre>\n  x  \r\n</pre>", u"  x  \n"},
        {"&lt;&amp;&gt;&quot;&apos;&nbsp;&copy;&eacute;&Eacute;", u"<&>\"'\u00A0©éÉ\n"},
        {"&#65;&#x42;&#X43&#128;&#0;&#xD800;&#x110000;&#99999999999;&#x1F600;",
         u"ABC€\uFFFD\uFFFD\uFFFD\uFFFD\U0001F600\n"},
        {"&unknown; &amp & &#;", u"&unknown; &amp & &#;\n"},
        {"a < b > c <3", u"a < b > c <3\n"},
        {"\xff\xfe ok", u"\uFFFD\uFFFD ok\n"},
        // A span that keeps white space keeps tabs and runs of spaces, in its own font.
        {"<p>a<span style=\"white-space: pre\">\t\t</span>b  <span style=\"white-space: pre-wrap\">c  d</span></p>",
         u"a\t\tb c  d\n"},
        // An empty list item is an empty line, without a marker, and its marker waits for no later text.
        {"<ul><li></li></ul><ol><li></li></ol>", u"\n\n"},
        {"<ul><li></li></ul><p>after</p>", u"\nafter\n"},
        {"<ol><li>a<li><li>b</ol>", u"\t1.\ta\n\n\t3.\tb\n"},
    };
    for (const auto& [html, expected] : cases) {
        EXPECT_EQ(HTMLReader::read(html).string(), expected) << html;
    }
}

TEST(HTMLReader, InlineStylesOfTheSemanticBody) {
    const AttributedText text = HTMLReader::read(
        "<h2 style=\"text-align: center\">C</h2>\n"
        "<p>x <span style=\"font-size: 15pt; font-family: ui-monospace, SFMono-Regular, Menlo, monospace; "
        "color: #FF0000; background-color: rgba(0, 0, 0, 0.500)\">m</span></p>\n"
        "<ul>\n<li style=\"text-align: right\"><u>u</u> <s>s</s></li>\n</ul>");
    ParagraphStyle heading = spaced(0, 8, 10);
    heading.alignment = TextAlignment::center;
    ParagraphStyle item = listItem({"{disc}"});
    item.alignment = TextAlignment::right;
    TextAttributes styled = withFont(named(".SystemMono", 15, FontWeight::regular, false, true));
    styled.foregroundColor = Color{1, 0, 0, 1};
    styled.backgroundColor = Color{0, 0, 0, 0.5};
    EXPECT_EQ(text, runs({
                        {u"C\n", with(withFont(Font::system(22, FontWeight::bold)), heading)},
                        {u"x ", body},
                        {u"m", styled},
                        {u"\n", body},
                        {u"\t•\t", with(body, item)},
                        {u"u", with(bodyWith([](auto& a) { a.underlineStyle = 1; }), item)},
                        {u" ", with(body, item)},
                        {u"s", with(bodyWith([](auto& a) { a.strikethroughStyle = 1; }), item)},
                        {u"\n", with(body, item)},
                    }));
}

// A browser's copy wraps a whole web document in <b style="font-weight:normal"> and gives its own
// emphasis as styles of spans: the style of an element goes over what its tag gives.
TEST(HTMLReader, StyleAttributesSetWeightItalicAndLinesOnAnyElement) {
    struct Case {
        std::string html;
        bool bold, italic, underline, strikethrough;
    };
    const std::vector<Case> cases = {
        {R"(<b style="font-weight:normal;" id="docs-internal-guid-1">x</b>)", false, false, false, false},
        {R"(<strong style="font-weight: 400">x</strong>)", false, false, false, false},
        {R"(<span style="font-weight:700">x</span>)", true, false, false, false},
        {R"(<span style="font-weight: bold !important">x</span>)", true, false, false, false},
        {R"(<span style="font-weight:600">x</span>)", true, false, false, false},
        {R"(<span style="font-weight:599">x</span>)", false, false, false, false},
        {R"(<span style="font-weight:1000">x</span>)", true, false, false, false},
        {R"(<b style="font-weight:0">x</b>)", true, false, false, false},
        {R"(<span style="font-weight:bolder">x</span>)", true, false, false, false},
        {R"(<b><span style="font-weight:lighter">x</span></b>)", false, false, false, false},
        {R"(<h3 style="font-weight:normal">x</h3>)", false, false, false, false},
        {R"(<span style="font-style:italic">x</span>)", false, true, false, false},
        {R"(<span style="font-style: oblique 10deg">x</span>)", false, true, false, false},
        {R"(<em style="font-style:normal">x</em>)", false, false, false, false},
        {R"(<span style="text-decoration:underline">x</span>)", false, false, true, false},
        {R"h(<span style="text-decoration: underline wavy rgb(255, 0, 0)">x</span>)h", false, false, true, false},
        {R"(<span style="text-decoration-line: line-through">x</span>)", false, false, false, true},
        {R"(<span style="text-decoration:underline line-through">x</span>)", false, false, true, true},
        {R"(<u style="text-decoration:none">x</u>)", false, false, false, false},
        {R"(<s style="text-decoration:underline">x</s>)", false, false, true, false},
        {R"(<u style="text-decoration:inherit">x</u>)", false, false, true, false},
        // The lines of the elements around are drawn through an element that has none of its own.
        {R"(<u><span style="text-decoration:none">x</span></u>)", false, false, true, false},
        {R"(<p style="font-weight:700;font-style:italic;text-decoration:underline">x</p>)", true, true, true, false},
    };
    for (const auto& [html, bold, italic, underline, strikethrough] : cases) {
        const AttributedText text = HTMLReader::read(html);
        const TextAttributes& attributes = text.attributes(0);
        ASSERT_TRUE(attributes.font.has_value()) << html;
        EXPECT_EQ(attributes.font->isBold(), bold) << html;
        EXPECT_EQ(attributes.font->italic, italic) << html;
        EXPECT_EQ(attributes.underlineStyle.has_value(), underline) << html;
        EXPECT_EQ(attributes.strikethroughStyle.has_value(), strikethrough) << html;
    }
    // A weight that no output tells apart from the one in force does not split the run.
    EXPECT_EQ(HTMLReader::read(R"(<h3>x <span style="font-weight:700">y</span></h3>)").runs().size(), 1U);
}

// Every element a browser lays out as a block is a block of its own.
TEST(HTMLReader, EveryBlockElementEndsTheLine) {
    for (const std::string name :
         {"address", "article", "aside", "caption", "center", "dd", "details", "dialog", "dl", "dt", "fieldset",
          "figcaption", "figure", "footer", "form", "h5", "h6", "header", "hgroup", "legend", "main", "nav",
          "search", "section", "summary"}) {
        EXPECT_EQ(HTMLReader::read("<p>a<" + name + ">b</" + name + ">c").string(), u"a\nb\nc\n") << name;
        // A block's own alignment goes over its paragraphs.
        const AttributedText aligned = HTMLReader::read("<" + name + " style=\"text-align: right\">b");
        ASSERT_TRUE(aligned.attributes(0).paragraphStyle.has_value()) << name;
        EXPECT_EQ(aligned.attributes(0).paragraphStyle->alignment, TextAlignment::right) << name;
    }
    EXPECT_EQ(HTMLReader::read("<h5>Five</h5><h6>Six</h6>"),
              runs({{u"Five\nSix\n", with(withFont(Font::system(18, FontWeight::semibold)), spaced(0, 8, 8))}}));
    EXPECT_EQ(HTMLReader::read("<menu><li>a</li></menu><dir><li>b</dir>"),
              runs({{u"\t•\ta\n\t•\tb\n", with(body, listItem({"{disc}"}))}}));
}

// A line break inside a list item keeps the item one paragraph: a line separator, as the text system
// writes it; elsewhere it ends the line.
TEST(HTMLReader, LineBreakInsideAListItemStaysInTheItem) {
    const std::vector<std::pair<std::string, std::u16string>> cases = {
        {"<ul><li>one<br>continued</li><li>two</li></ul>", u"\t•\tone\u2028continued\n\t•\ttwo\n"},
        {"<ol><li><p>one <br>\n two<br/></p></li></ol><p>a<br>b</p>", u"\t1.\tone\u2028two\u2028\na\nb\n"},
        {"<ul><li><br>x</li></ul>", u"\t•\t\u2028x\n"},
    };
    for (const auto& [html, expected] : cases) {
        EXPECT_EQ(HTMLReader::read(html).string(), expected) << html;
    }
}

// Runs are maximal: text that no output could tell apart is one run.
TEST(HTMLReader, TextThatLooksTheSameIsOneRun) {
    const std::vector<std::pair<std::string, std::size_t>> cases = {
        {"<h3>x <b>y</b></h3>", 1}, {"<h2><strong>x</strong> y</h2>", 1}, {"<p>x <b>y</b></p>", 3},
    };
    for (const auto& [html, count] : cases) {
        EXPECT_EQ(HTMLReader::read(html).runs().size(), count) << html;
    }
}

TEST(HTMLReader, HeadStyleScriptAndCommentsCarryNoText) {
    const std::vector<std::pair<std::string, std::u16string>> cases = {
        {"<html><head><title>T</title><style>p{}</style><meta charset=utf-8></head><body>"
         "<script>if (a<b) x()</SCRIPT >ok<!-- gone --><!DOCTYPE x><?pi?>!</body></html>",
         u"ok!\n"},
        {"x<script>never closed</p>", u"x\n"},
        {std::string("<p>a</p><head>b</head><title>t</title>c\0d", 41), u"a\nbcd\n"},
        {"a<!-- unterminated <p>b</p>", u"a\n"},
        {"a<b", u"a\n"},
        {"<img src=\"http://tracker.example/pixel\" alt=\"i\">t</x>", u"t\n"},
    };
    for (const auto& [html, expected] : cases) {
        EXPECT_EQ(HTMLReader::read(html).string(), expected) << html;
    }
}

TEST(HTMLReader, ImpliedEndsCloseParagraphsItemsRowsAndCells) {
    const AttributedText text = HTMLReader::read(
        "<p>one<p>two<ul><li>a<li>b<ol><li>c</ol></ul><table><tr><th>h</th><td> a </td><td>b<tr><td>c</table>");
    EXPECT_EQ(text, runs({
                        {u"one\ntwo\n", body},
                        {u"\t•\ta\n\t•\tb\n", with(body, listItem({"{disc}"}))},
                        {u"\t1.\tc\n", with(body, listItem({"{disc}", "{decimal}"}))},
                        {u"h", withFont(Font::system(14, FontWeight::bold))},
                        {u"\ta\tb\nc\n", body},
                    }));
}

// A link opened inside another ends it, as browsers read it: the outer one does not come back.
TEST(HTMLReader, ALinkInsideALinkEndsIt) {
    const TextAttributes bold = withFont(Font::system(14, FontWeight::bold));
    auto linked = [](TextAttributes attributes, std::string target) {
        attributes.link = target;
        return attributes;
    };
    EXPECT_EQ(HTMLReader::read("<a href=\"u\">a<b>b<a href=\"v\">c</a>d</b>e</a>f"), runs({
                                                                                     {u"a", linked(body, "u")},
                                                                                     {u"b", linked(bold, "u")},
                                                                                     {u"c", linked(bold, "v")},
                                                                                     {u"d", bold},
                                                                                     {u"ef\n", body},
                                                                                 }));
}

TEST(HTMLReader, DeepAndLongInputStaysLinearAndKeepsItsText) {
    std::string deep;
    for (int index = 0; index < 100000; ++index) deep += "<b>";
    deep += "x";
    for (int index = 0; index < 100000; ++index) deep += "</b>";
    EXPECT_EQ(HTMLReader::read(deep), runs({{u"x", withFont(Font::system(14, FontWeight::bold))}, {u"\n", body}}));

    std::string items = "<ul>";
    std::u16string expected;
    for (int index = 0; index < 50000; ++index) {
        items += "<li>a";
        expected += u"\t•\ta\n";
    }
    EXPECT_TRUE(HTMLReader::read(items).string() == expected);

    // Lists nest nine levels deep, as RTF's list levels do, so that the text survives its RTF.
    std::string nested;
    for (int depth = 0; depth < 12; ++depth) nested += "<ol><li>";
    const AttributedText nestedText = HTMLReader::read(nested + "x");
    const auto& innermost = nestedText.attributes(nestedText.length() - 1).paragraphStyle;
    ASSERT_TRUE(innermost.has_value());
    EXPECT_EQ(innermost->textLists, std::vector<TextList>(9, TextList{"{decimal}"}));
    EXPECT_EQ(innermost->headIndent, 9 * 24);
    EXPECT_TRUE(HTMLReader::read(std::string(100000, '<') + "div>" + std::string(100000, '>')).string() ==
                std::u16string(99999, u'<') + u"\n" + std::u16string(100000, u'>') + u"\n");
}

} // namespace
} // namespace tessaril::platform
