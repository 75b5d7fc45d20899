#include <gtest/gtest.h>

#include "TessarilAppTests/PhraseEditor/RichTextSamples.hpp"
#include "TessarilApp/PhraseEditor/TessarilTextView.hpp"

namespace tessaril {
namespace {

using platform::AttributedText;
using platform::Color;
using platform::Font;
using platform::FontWeight;
using platform::ParagraphStyle;
using platform::TextAlignment;
using platform::TextAttributes;
using platform::TextList;
using platform::TextTab;
using testing::richText;
using testing::withFont;
using testing::withParagraph;

TextAttributes decorated() {
    TextAttributes attributes = withFont(Font{"Hiragino Mincho ProN", 15.25, FontWeight::semibold, true, false});
    attributes.foregroundColor = Color{0.123456789, 0.5, 1.0 / 3.0, 0.42};
    attributes.backgroundColor = Color::systemGray(0.18);
    attributes.underlineStyle = 0x201;
    attributes.strikethroughStyle = 2;
    attributes.link = "https://example.com/a?b=(c)";
    return attributes;
}

ParagraphStyle listed(std::string markerFormat) {
    ParagraphStyle style;
    style.alignment = TextAlignment::justified;
    style.headIndent = 24;
    style.firstLineHeadIndent = -6.5;
    style.paragraphSpacing = 4;
    style.paragraphSpacingBefore = 1.75;
    style.tabStops = {{TextAlignment::left, 24}, {TextAlignment::right, 200.5}};
    style.textLists = {TextList{std::move(markerFormat)}};
    return style;
}

// Model → view → model is the identity: every character, attribute and line end comes back.
TEST(TessarilTextViewRoundTrip, GivesBackEveryTextItWasGiven) {
    TextAttributes crAttributes = withFont(Font::system(12));
    TextAttributes lfAttributes = withFont(Font::monospacedSystem(13));
    const std::vector<std::pair<const char*, AttributedText>> samples{
        {"empty", AttributedText()},
        {"no attributes at all", AttributedText(u"plain text")},
        {"every character attribute",
         richText({{u"plain ", {}}, {u"decorated", decorated()}, {u" bold", testing::bold14()}})},
        {"every line end kind",
         richText({{u"a\r\nb\rc\nd\u2029e\u0085f\u2028g\n", testing::system14()}})},
        {"a CRLF whose halves differ", richText({{u"x\r", crAttributes}, {u"\ny", lfAttributes}})},
        {"paragraph styles, lists and tabs",
         richText({{u"\u2022\tone\n", withParagraph(testing::system14(), listed("{disc}"))},
                   {u"two\r\n", withParagraph(testing::system14(), listed("({lower-roman})"))},
                   {u"half ", withParagraph({}, listed("{decimal}"))},
                   {u"styled", {}}})},
        {"empty paragraphs with their own attributes",
         richText({{u"\n", testing::bold14()}, {u"\n\n", decorated()}, {u"\r\n", testing::system14()}})},
        {"characters Qt treats specially",
         richText({{u"\uFDD0a\uFDD1\uFFFD\u00A0\t", testing::system14()},
                   {u"\uFDD0", decorated()},
                   {std::u16string(u"nul\0end", 7), {}},
                   {u"\uFFFC \U0001F600 ", testing::system14()},
                   {std::u16string(1, char16_t(0xD800)) + u"x" + std::u16string(1, char16_t(0xDC00)), {}}})},
        {"Japanese", richText({{u"定型文の本文\n", testing::bold14()}, {u"二行目", {}}})},
    };
    for (const auto& [name, text] : samples) {
        TessarilTextView view;
        view.setAttributedText(text);
        EXPECT_EQ(view.attributedText(), text) << name;
    }
}

} // namespace
} // namespace tessaril
