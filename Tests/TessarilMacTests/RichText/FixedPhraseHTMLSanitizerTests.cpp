#include <gtest/gtest.h>

#include <string>

#include "TessarilMac/RichText/FixedPhraseHTMLSanitizer.hpp"

namespace tessaril {
namespace {

namespace sanitizer = FixedPhraseHTMLSanitizer;

TEST(FixedPhraseHTMLSanitizer, KeepsBareAllowedTagsAndTheTextOfOthers) {
    struct Case {
        const char* html;
        const char* expected;
    };
    const Case cases[] = {
        {"", ""},
        {"Fish &amp; chips &copy; 5 > 3", "Fish &amp; chips &copy; 5 > 3"},
        {"<p class=\"lead\" onclick=\"steal()\">Hi</p>", "<p>Hi</p>"},
        {"<a href=\"https://example.com\">link</a>", "<a>link</a>"},
        {"<!DOCTYPE html><div><custom-box>inner</custom-box></div>", "<div>inner</div>"},
        {"<P><STRONG>Loud</STRONG></P>", "<p><strong>Loud</strong></p>"},
        {"line<br/>next<hr />", "line<br>next<hr>"},
        {"< p >spaced</ p>", "<p>spaced</p>"},
        {"x <b and c> y", "x <b> y"},
        {"<span title=\"a>b\" data-x='c>d'>t</span>", "<span>t</span>"},
        {"<?xml version=\"1.0\"?><h1>T</h1>", "<h1>T</h1>"},
        {"<img alt=\"Fish & <chips>\" src=x.png>", "Fish &amp; &lt;chips&gt;"},
        {"<img alt=plain/rest src=x>", "plain"},
        {"<IMG SRC=x ALT='Up'>", "Up"},
        {"<img src=x.png>", ""},
        {"<img alt>", ""},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(sanitizer::sanitize(entry.html), entry.expected) << entry.html;
    }
}

TEST(FixedPhraseHTMLSanitizer, DropsScriptsStylesAndComments) {
    struct Case {
        const char* html;
        const char* expected;
    };
    const Case cases[] = {
        {"a<script>alert('<b>')</script>b", "ab"},
        {"a<style>p { color: red }</style>b", "ab"},
        {"a<script>never closed <p>text</p>", "a"},
        {"a<script>x</ SCRIPT >b", "ab"},
        {"a<script>x</scripts></script>b", "ab"},
        {"a<script>x</script", "a"},
        {"a<!-- hidden <p> -->b", "ab"},
        {"a<!-- never closed <p>b</p>", "a"},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(sanitizer::sanitize(entry.html), entry.expected) << entry.html;
    }
}

// A "<" with no tag end after it used to let the rest of the input through raw.
TEST(FixedPhraseHTMLSanitizer, WritesAnUnclosedLessThanAsAnEntityAndGoesOn) {
    EXPECT_EQ(sanitizer::sanitize("a < b"), "a &lt; b");
    EXPECT_EQ(sanitizer::sanitize("<b '><img src=x onerror=alert(1)>"), "&lt;b '>");
    EXPECT_EQ(sanitizer::sanitize("<p title=\"x><script>alert(1)</script>"), "&lt;p title=\"x>");
    EXPECT_EQ(sanitizer::sanitize("3 <"), "3 &lt;");
}

// A prepended mark glues to "<" as one user-perceived character; the scan must still see the tag.
TEST(FixedPhraseHTMLSanitizer, FindsTagsAfterPrependedCharacters) {
    EXPECT_EQ(sanitizer::sanitize("\u0600<img src=x onerror=alert(1)>"), "\u0600");
    EXPECT_EQ(sanitizer::sanitize("e\u0301<p>é</p>"), "e\u0301<p>é</p>");
}

TEST(FixedPhraseHTMLSanitizer, AdversarialInputsConvertCompletely) {
    std::string unclosedCandidates = "<script>";
    for (int index = 0; index < 30'000; ++index)
        unclosedCandidates += "</script \"";
    EXPECT_EQ(sanitizer::sanitize(unclosedCandidates), "");

    std::string lessThans(100'000, '<');
    std::string expected;
    for (int index = 0; index < 100'000; ++index)
        expected += "&lt;";
    EXPECT_EQ(sanitizer::sanitize(lessThans), expected);
}

TEST(FixedPhraseHTMLSanitizer, ParsesTagsAndAttributes) {
    EXPECT_EQ(sanitizer::parseTag(" /  Em class=x "), (sanitizer::ParsedTag{"em", " class=x", true}));
    EXPECT_EQ(sanitizer::parseTag("!DOCTYPE html"), std::nullopt);
    EXPECT_EQ(sanitizer::parseTag("  "), std::nullopt);
    EXPECT_EQ(sanitizer::parseTag("-x"), std::nullopt);
    EXPECT_EQ(sanitizer::attributeValue("alt", " data-alt=\"no\" ALT = 'yes' "), "yes");
    EXPECT_EQ(sanitizer::attributeValue("alt", " alt=\"unterminated"), "unterminated");
    EXPECT_EQ(sanitizer::attributeValue("alt", " =\"x\" alt"), "");
    EXPECT_EQ(sanitizer::attributeValue("alt", " src=x"), std::nullopt);
}

} // namespace
} // namespace tessaril
