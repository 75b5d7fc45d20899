#include "Platform/Foundation/RTFWriter.hpp"

#include <gtest/gtest.h>

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
    const TextAttributes semibold = withFont(Font::system(18, FontWeight::semibold));
    const TextAttributes heavyItalic = withFont(named("Menlo", 11, FontWeight::heavy, true, true));

    const AttributedText text = runs({
        {u"Heading {with} \\braces\\\t;\n", with(semibold, listed)},
        {u"decorated \U0001F600 \xD800 \x01", with(decorated, listed)},
        {u" link\u2028over a line\r\n", with(linked, listed)},
        {u"cr\r", with(heavyItalic, natural)},
        {u"separator\u2029", with({}, natural)},
        {u"next line\u0085", {}},
        {u"", {}},
        {u"last", withFont(Font::system(0.5))},
    });
    EXPECT_EQ(RTFReader::read(RTFWriter::write(text)), text);
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
