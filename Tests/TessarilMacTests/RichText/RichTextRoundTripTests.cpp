#include <gtest/gtest.h>

#include "Platform/Foundation/HTMLReader.hpp"
#include "Platform/Foundation/RTFReader.hpp"
#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"
#include "TessarilMacTests/RichText/RichTextTestSupport.hpp"

namespace tessaril {
namespace {

using namespace rich_text_test;
namespace normalizer = FixedPhraseAttributedTextNormalizer;

// Documents as they are pasted: read, then turned into each text form the phrase is saved or inserted as.
TEST(RichTextRoundTrip, PastedDocumentsKeepTheirTextInEveryForm) {
    struct Case {
        const char* name;
        const char* rtf; // or null for HTML
        const char* html;
        const char* semanticHTML;
        const char* markdown;
        const char* plain;
    };
    const std::vector<Case> cases = {
        {"an emoji whose halves differ in weight", R"({\rtf1 \u-10179 {\b \u-8694 }})", nullptr,
         "<p>\U0001F60A</p>", "\U0001F60A", "\U0001F60A"},
        {"empty list items", nullptr, "<ul><li></li></ul><ol><li></li></ol>", "<p><br></p>\n<p><br></p>",
         "\n\n", "\n\n"},
        {"table cells", nullptr, "<table><tr><td>a</td><td>b</td></tr></table>", "<p>a<span style=\"white-space: pre\">\t</span>b</p>",
         "a\tb\n", "a\tb\n"},
        {"a link over styled runs", nullptr, "<a href=\"https://x.example/(1)\">a <b>b</b> <i>c</i></a>",
         "<p><a href=\"https://x.example/(1)\">a <strong>b</strong> <em>c</em></a></p>",
         "[a **b** *c*](https://x.example/(1\\))\n", "a b c\n"},
        // A link goes in every paragraph it covers while its copies cost little against the text.
        {"a link over two lines", nullptr, "<a href=\"https://x.example/\">a<br>b</a>",
         "<p><a href=\"https://x.example/\">a</a></p>\n<p><a href=\"https://x.example/\">b</a></p>",
         "[a](https://x.example/)\n[b](https://x.example/)\n", "a\nb\n"},
        {"a long link over short lines", nullptr,
         "<a href=\"https://x.example/0123456789012345678901234567890123456789\">a<br>b<br>c</a>",
         "<p>a</p>\n<p>b</p>\n<p>c</p>", "a\nb\nc\n", "a\nb\nc\n"},
        {"hidden text", R"({\rtf1 This is hidden: {\v secret}.})", nullptr, "<p>This is hidden: .</p>",
         "This is hidden: .", "This is hidden: ."},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        const AttributedText text = each.rtf ? platform::RTFReader::read(each.rtf) : platform::HTMLReader::read(each.html);
        EXPECT_EQ(normalizer::semanticHTMLBody(text), each.semanticHTML);
        EXPECT_EQ(normalizer::markdownText(text), each.markdown);
        EXPECT_EQ(normalizer::plainText(text), each.plain);
    }
}

// Semantic HTML read back gives the same text, and a second round the same HTML: nothing is lost (a tab
// collapsing to a space) and nothing creeps in (a monospaced family for a block known by its colour).
TEST(RichTextRoundTrip, SemanticHTMLReadsBackAsItWasWritten) {
    TextAttributes shaded = body();
    shaded.backgroundColor = Color{1, 1, 0, 1};
    const std::vector<std::pair<const char*, AttributedText>> cases = {
        {"tabs", text({{"a\tb\t\tc", body()}})},
        {"a block shaded without a monospaced font", text({{"let x\ty", shaded}})},
    };
    for (const auto& [name, document] : cases) {
        SCOPED_TRACE(name);
        const std::string first = normalizer::semanticHTMLBody(document);
        const AttributedText read = platform::HTMLReader::read(first);
        EXPECT_EQ(read.string(), document.string() + u"\n");
        const std::string second = normalizer::semanticHTMLBody(read);
        EXPECT_EQ(second.find("font-family"), std::string::npos) << second;
        EXPECT_EQ(normalizer::semanticHTMLBody(platform::HTMLReader::read(second)), second);
    }
}

} // namespace
} // namespace tessaril
