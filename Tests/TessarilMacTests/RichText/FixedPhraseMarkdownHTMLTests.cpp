#include <gtest/gtest.h>

#include <string>

#include "TessarilMac/RichText/FixedPhraseMarkdownHTML.hpp"

namespace tessaril {
namespace {

struct Case {
    const char* markdown;
    const char* expected;
};

TEST(FixedPhraseMarkdownHTML, BlocksOneLineAtATime) {
    const Case cases[] = {
        {"", "<p><br></p>"},
        {"a\n\n\nb", "<p>a</p>\n<p><br></p>\n<p><br></p>\n<p>b</p>"},
        {"a\r\nb", "<p>a</p>\n<p><br></p>\n<p>b</p>"},
        {"a\u2028b\u0085c", "<p>a</p>\n<p>b</p>\n<p>c</p>"},
        {"# One\n## Two\n### Three\n#Tight\n#### Four",
         "<h2>One</h2>\n<h2>Two</h2>\n<h3>Three</h3>\n<p>#Tight</p>\n<p>#### Four</p>"},
        {"  > quoted *word*", "<blockquote>quoted <em>word</em></blockquote>"},
        {"  two blanks kept", "<p>  two blanks kept</p>"},
        {"\u3000- full-width indent", "<ul>\n<li>full-width indent</li>\n</ul>"},
        {"- a\n* b\n\u2022 c\n\u25CF\td\ntext",
         "<ul>\n<li>a</li>\n<li>b</li>\n<li>c</li>\n<li>d</li>\n</ul>\n<p>text</p>"},
        {"- a\n1. b\n22.\tc", "<ul>\n<li>a</li>\n</ul>\n<ol>\n<li>b</li>\n<li>c</li>\n</ol>"},
        {"3.5 apples\n1.word", "<p>3.5 apples</p>\n<p>1.word</p>"},
        {"\uFF11. full-width digit", "<ol>\n<li>full-width digit</li>\n</ol>"},
        {"-\u00A0no-break after the dash", "<p>-\u00A0no-break after the dash</p>"},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(fixedPhraseMarkdownHTMLBody(entry.markdown), entry.expected) << entry.markdown;
    }
}

TEST(FixedPhraseMarkdownHTML, FencedCodeStaysRaw) {
    const Case cases[] = {
        {"- item\n```swift\n  let s = \"<a>\" & *x*\n```\nafter",
         "<ul>\n<li>item</li>\n</ul>\n<pre><code>  let s = &quot;&lt;a&gt;&quot; &amp; "
         "*x*</code></pre>\n<p>after</p>"},
        {"```\nrest\n# not a heading", "<pre><code>rest\n# not a heading</code></pre>"},
        {"text\n```", "<p>text</p>\n<pre><code></code></pre>"},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(fixedPhraseMarkdownHTMLBody(entry.markdown), entry.expected) << entry.markdown;
    }
}

TEST(FixedPhraseMarkdownHTML, InlineRulesApplyInOrderOverEscapedText) {
    const Case cases[] = {
        {"**bold** and *em*", "<strong>bold</strong> and <em>em</em>"},
        {"a < b & \"c\" 'd'", "a &lt; b &amp; &quot;c&quot; 'd'"},
        {"`*x*` and ``", "<code><em>x</em></code> and ``"},
        {"***x***", "<em><strong>x</strong></em>"},
        {"*a*b*", "<em>a</em>b*"},
        {"**a*", "**a*"},
        {"[a[b](https://x.test/p?q=1#f)", "<a href=\"https://x.test/p?q=1#f\">a[b</a>"},
        {"[x](http://a\"b)", "<a href=\"http://a&quot;b\">x</a>"},
        {"[](x) [x]() [x] (y)", "[](x) [x]() [x] (y)"},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(fixedPhraseMarkdownInlineHTML(entry.markdown), entry.expected) << entry.markdown;
    }
}

// Only targets that cannot run script in the receiving application keep their anchor.
TEST(FixedPhraseMarkdownHTML, LinksKeepOnlySafeTargets) {
    const Case cases[] = {
        {"[x](javascript:void)", "x"},
        {"[x](JavaScript:alert)", "x"},
        {"[x]( java\tscript:alert)", "x"},
        {"[x](data:text/html,hi)", "x"},
        {"[x](vbscript:msgbox)", "x"},
        {"[x](file:///etc/passwd)", "x"},
        {"[x](HTTPS://example.com)", "<a href=\"HTTPS://example.com\">x</a>"},
        {"[x](mailto:a@b.test)", "<a href=\"mailto:a@b.test\">x</a>"},
        {"[x](tel:+81-3)", "<a href=\"tel:+81-3\">x</a>"},
        {"[x](#top)", "<a href=\"#top\">x</a>"},
        {"[x](docs/a:b)", "<a href=\"docs/a:b\">x</a>"},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(fixedPhraseMarkdownInlineHTML(entry.markdown), entry.expected) << entry.markdown;
    }
    EXPECT_EQ(fixedPhraseMarkdownHTMLBody("[x](javascript:void)"), "<p>x</p>");
}

TEST(FixedPhraseMarkdownHTML, AdversarialInputsConvertCompletely) {
    std::string brackets(200'000, '[');
    EXPECT_EQ(fixedPhraseMarkdownHTMLBody(brackets), "<p>" + brackets + "</p>");
    std::string openLinks;
    for (int index = 0; index < 50'000; ++index)
        openLinks += "[a](";
    EXPECT_EQ(fixedPhraseMarkdownInlineHTML(openLinks), openLinks);
    std::string stars(100'001, '*');
    EXPECT_EQ(fixedPhraseMarkdownInlineHTML(stars), stars);
}

} // namespace
} // namespace tessaril
