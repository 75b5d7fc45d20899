#include "Platform/Foundation/RTFWriter.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "Platform/Foundation/RTFReader.hpp"
#include "PlatformTests/Foundation/RichTextTestSupport.hpp"

namespace tessaril::platform {
namespace {

using test_support::named;
using test_support::runs;
using test_support::with;
using test_support::withFont;

TEST(RTFWriter, WritesAHeaderOfTablesAndOneGroupPerRun) {
    TextAttributes red = withFont(Font::system(14, FontWeight::bold));
    red.foregroundColor = Color{1, 0, 0, 0.5};
    ParagraphStyle centred;
    centred.alignment = TextAlignment::center;
    const AttributedText text = runs({{u"a{", with({}, centred)}, {u"\u3042\n", with(red, centred)}, {u"b", {}}});
    EXPECT_EQ(RTFWriter::write(text),
              "{\\rtf1\\ansi\\ansicpg1252\\uc0{\\fonttbl{\\f0\\fnil\\fcharset0 .SystemUI;}}\n"
              "{\\colortbl;\\red255\\green0\\blue0;}\n"
              "{\\*\\expandedcolortbl;\\cssrgb\\c100000\\c0\\c0\\c50000;}\n"
              "\n"
              "\\pard\\qc a\\{{\\f0\\fs28\\b\\cf1\\u12354\\par\n"
              "}\\pard b}");
}

// Paragraph properties are written where they change, and a link over several paragraphs is one
// field; a field's group takes back what was written inside it, so a paragraph that goes on after
// the field restates its properties.
TEST(RTFWriter, WritesParagraphPropertiesWhereTheyChangeAndOneFieldPerLink) {
    ParagraphStyle tabbed;
    tabbed.tabStops = {{TextAlignment::left, 36}};
    ParagraphStyle centred;
    centred.alignment = TextAlignment::center;
    TextAttributes linked;
    linked.link = "https://e.test/";
    const AttributedText text = runs({{u"a\nb\n", with({}, tabbed)},
                                      {u"c\n", with(linked, tabbed)},
                                      {u"d", with(linked, centred)},
                                      {u"e\nf", with({}, centred)}});
    const std::string written = RTFWriter::write(text);
    EXPECT_EQ(written, "{\\rtf1\\ansi\\ansicpg1252\\uc0\n"
                       "\\pard\\tx720 a\\par\n"
                       "b\\par\n"
                       "{\\field{\\*\\fldinst HYPERLINK \"https://e.test/\"}{\\fldrslt c\\par\n"
                       "\\pard\\qc d}}\\pard\\qc e\\par\n"
                       "f}");
    EXPECT_EQ(RTFReader::read(written), text);
}

// Reading what the writer wrote gives back every attribute, within RTF's units.
TEST(RTFWriter, ReadingWhatItWroteGivesBackEveryAttribute) {
    ParagraphStyle listed;
    listed.alignment = TextAlignment::justified;
    listed.headIndent = 18;
    listed.firstLineHeadIndent = 9;
    listed.paragraphSpacing = 4;
    listed.paragraphSpacingBefore = 10.5;
    listed.tabStops = {{TextAlignment::left, 36}, {TextAlignment::center, 72}, {TextAlignment::right, 108.25}};
    listed.textLists = {TextList{"{disc}"}, TextList{"({decimal}.)"}};
    ParagraphStyle natural;
    natural.paragraphSpacing = 6;

    TextAttributes decorated = withFont(named("Hiragino Mincho ProN", 12.5, FontWeight::regular, true));
    decorated.foregroundColor = Color{0.2, 0.4, 0.6, 0.5};
    decorated.backgroundColor = Color{128 / 255.0, 0, 1, 1};
    decorated.underlineStyle = 0x202;
    decorated.strikethroughStyle = 9;
    TextAttributes linked = withFont(Font::monospacedSystem(13, FontWeight::medium));
    linked.link = "https://例え.jp/a b?\"q\"\\;";
    linked.underlineStyle = 0x8001;
    linked.strikethroughStyle = 1;
    TextAttributes boldLinked = linked;
    boldLinked.font = Font::system(12, FontWeight::bold);
    ParagraphStyle unmarked; // a list without marker text
    unmarked.textLists = {TextList{""}};
    const TextAttributes controlled = withFont(named("Odd\x01\x1F Name", 12));
    const TextAttributes semibold = withFont(Font::system(18, FontWeight::semibold));
    const TextAttributes heavyItalic = withFont(named("Menlo", 11, FontWeight::heavy, true, true));

    const AttributedText text = runs({
        {u"Heading {with} \\braces\\\t;\n", with(semibold, listed)},
        {u"decorated \U0001F600 \xD800 \x01", with(decorated, listed)},
        {u" link\u2028over a line\r\n", with(linked, listed)},
        {u"cr\r", with(heavyItalic, natural)},
        {u"separator\u2029", with({}, natural)},
        {u"one link ", with(linked, natural)},
        {u"over two runs\n", with(boldLinked, natural)},
        {u"control characters in a font name\n", with(controlled, unmarked)},
        {u"next line\u0085", {}},
        {u"", {}},
        {u"last", withFont(Font::system(0.5))},
    });
    EXPECT_EQ(RTFReader::read(RTFWriter::write(text)), text);
}

// A link's runs share one character format in the field's result only when they agree in every
// character attribute; a run with a single attribute of its own keeps it, in a link or not.
TEST(RTFWriter, EachCharacterAttributeAloneKeepsItsRunApart) {
    using Set = std::function<void(TextAttributes&)>;
    struct Case {
        const char* name;
        Set set;
    };
    const std::vector<Case> cases = {
        {"font", [](TextAttributes& a) { a.font = Font::system(12, FontWeight::bold); }},
        {"foreground", [](TextAttributes& a) { a.foregroundColor = Color{1, 0, 0, 1}; }},
        {"background", [](TextAttributes& a) { a.backgroundColor = Color{0, 0, 1, 1}; }},
        {"underline", [](TextAttributes& a) { a.underlineStyle = 1; }},
        {"strikethrough", [](TextAttributes& a) { a.strikethroughStyle = 1; }},
    };
    TextAttributes linked;
    linked.link = "https://e.test/";
    for (const Case& each : cases) {
        const TextAttributes linkedAndSet = test_support::changed(linked, each.set);
        const TextAttributes set = test_support::changed({}, each.set);
        for (const AttributedText& text : {runs({{u"plain ", linked}, {u"changed", linkedAndSet}}),
                                           runs({{u"changed ", linkedAndSet}, {u"plain", linked}}),
                                           runs({{u"plain ", {}}, {u"changed", set}})}) {
            EXPECT_EQ(RTFReader::read(RTFWriter::write(text)), text) << each.name << ": " << RTFWriter::write(text);
        }
    }
}

// Numbers beyond what RTF can say are held at its limits (1,000,000,000 twips or half points), not
// dropped to zero; what is not a number is zero.
TEST(RTFWriter, OutOfRangeNumbersAreHeldAtTheNearestValueRTFCanSay) {
    constexpr double huge = 1e308;
    constexpr double infinity = std::numeric_limits<double>::infinity();
    constexpr double limitInPoints = 50'000'000; // in twips
    struct Case {
        double value;
        double headIndent;
        double pointSize;
    };
    for (const Case& each : {Case{huge, limitInPoints, 500'000'000}, Case{-infinity, -limitInPoints, 0.5},
                             Case{std::nan(""), 0, 0.5}}) {
        ParagraphStyle style;
        style.headIndent = style.firstLineHeadIndent = each.value;
        const AttributedText read =
            RTFReader::read(RTFWriter::write(runs({{u"x", with(withFont(Font::system(each.value)), style)}})));
        const TextAttributes& attributes = read.attributes(0);
        ASSERT_TRUE(attributes.font) << each.value;
        EXPECT_EQ(attributes.paragraphStyle ? attributes.paragraphStyle->headIndent : 0, each.headIndent) << each.value;
        EXPECT_EQ(attributes.font->pointSize, each.pointSize) << each.value;
    }
}

TEST(RTFWriter, AFirstLineIndentBeyondTheParameterRangeKeepsItsOffsetFromTheHeadIndent) {
    // The reader clamps each indent word on its own, so a document can hold a first-line indent
    // beyond what one parameter can say while its head indent stays small.
    const AttributedText read = RTFReader::read("{\\rtf1 \\li7\\fi99999999999 x\\par}");
    EXPECT_EQ(RTFReader::read(RTFWriter::write(read)), read);
}

TEST(RTFWriter, TheEmptyTextIsAnEmptyDocument) {
    const std::string rtf = RTFWriter::write(AttributedText());
    EXPECT_EQ(rtf, "{\\rtf1\\ansi\\ansicpg1252\\uc0\n}");
    EXPECT_EQ(RTFReader::read(rtf), AttributedText());
}

} // namespace
} // namespace tessaril::platform
