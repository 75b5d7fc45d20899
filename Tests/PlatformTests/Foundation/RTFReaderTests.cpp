#include "Platform/Foundation/RTFReader.hpp"

#include <gtest/gtest.h>

#include "Platform/Foundation/RTFReadError.hpp"
#include "PlatformTests/Foundation/RichTextTestSupport.hpp"

namespace tessaril::platform {
namespace {

using test_support::changed;
using test_support::named;
using test_support::runs;
using test_support::with;
using test_support::withFont;

TEST(RTFReader, DataThatDoesNotStartLikeRTFFails) {
    for (const std::string data : {"", "hello", "{\\rt", "{rtf1}", "\xEF\xBB\xBF{\\rtf1 x}", "x{\\rtf1 y}"}) {
        try {
            RTFReader::read(data);
            ADD_FAILURE() << "read: " << data;
        } catch (const RTFReadError& error) {
            EXPECT_EQ(error.description(), "RTF 形式のデータではないため読み込めません。");
        }
    }
    EXPECT_EQ(RTFReader::read(" \r\n\t{\\rtf1 ok}"), AttributedText(u"ok"));
}

TEST(RTFReader, UnicodeEscapesAndCodePages) {
    const std::vector<std::pair<std::string, std::u16string>> cases = {
        {R"({\rtf1 caf\'e9 \'80})", u"café €"},
        {R"({\rtf1\uc1\u12354?\u12356?})", u"あい"},
        {R"({\rtf1\uc2\u12354\'82\'a0x})", u"あx"},
        {R"({\rtf1\u8364\'80y})", u"€y"},
        {R"({\rtf1\uc0\u-3913 x})", u"\uF0B7x"},
        {R"({\rtf1{\uc0 a}\u8364?})", u"a€"},
        {R"({\rtf1\ansicpg932 \'82\'a0\'83e})", u"あテ"},
        {R"({\rtf1{\fonttbl\f0\fcharset128 MS;\f1\fcharset2 Symbol;}\f0\'93\'fa\f1\'b7})", u"日\uF0B7"},
        {R"({\rtf1\ansicpg1251 \'c0\'e1})", u"Аб"},
        {R"({\rtf1\ansicpg932 \'82\par x})", u"\uFFFD\nx"},
        // Trail bytes that are RTF's own symbols arrive escaped after their lead byte.
        {R"({\rtf1\ansicpg932 \'83\\\'95\\\'96\{\'83\}\'82\~})", u"ソ表本マ\uFFFD\u00A0"},
        {R"({\rtf1\ansicpg950 \'b3\\\'b3\{})", u"許逢"},
        {R"({\rtf1\ansicpg936 \'81\\\'81\{})", u"乗亄"},
        {R"({\rtf1 a\emdash b\endash c\~d\line e\tab f\ldblquote g\rdblquote \{\}\\})", u"a—b–c\u00A0d\u2028e\tf“g”{}\\"},
        // Mac code pages and character sets, the East Asian ones through their Windows counterparts.
        {R"({\rtf1\mac\ansicpg10001 \'82\'a8\'93\'c7\'82\'dd\'82\'ad\'82\'be\'82\'b3\'82\'a2})", u"お読みください"},
        {R"({\rtf1\ansi{\fonttbl\f0\fcharset78 Osaka;}\f0\'82\'a8\'93\'c7})", u"お読"},
        {R"({\rtf1{\fonttbl\f0\fcharset79 A;\f1\fcharset80 B;\f2\fcharset81 C;}\f0\'b0\'a1\f1\'c4\'e3\f2\'a7\'41})", u"가你你"},
        {R"({\rtf1{\fonttbl\f0\fcharset89 A;\f1\fcharset85 B;\f2\fcharset86 C;\f3\fcharset88 D;}\f0\'80\f1\'e1\f2\'da\f3\'81})", u"АαĞĀ"},
        {R"({\rtf1\ansicpg10007 \'80\'e0})", u"Аа"},
        // Hidden text is left out; its line ends are kept.
        {R"({\rtf1 This is hidden: {\v secret}.})", u"This is hidden: ."},
        {R"({\rtf1 a\v b\v0 c{\v\u12354?}d{\v e\par f}g\v h\plain i})", u"acd\ngi"},
    };
    for (const auto& [data, expected] : cases) {
        EXPECT_EQ(RTFReader::read(data).string(), expected) << data;
    }
}

TEST(RTFReader, CharacterFormatting) {
    const AttributedText text = RTFReader::read(
        R"({\rtf1\ansi{\fonttbl{\f0\fswiss\fcharset0 Helvetica;}{\f1\fmodern\fcharset0 Menlo;}{\f2\fnil .AppleSystemUIFont;}})"
        R"({\colortbl;\red255\green0\blue0;\red0\green0\blue255;}{\*\expandedcolortbl;;\cssrgb\c0\c0\c100000\c50000;})"
        R"(\f0\fs28 a{\b b}{\i\ul c}{\uldb d}{\ulthd e}{\strike f}{\striked1 g}{\cf1 h}{\cb2 i}{\highlight1 j})"
        R"({\f1\fs25 k}{\f2 l}{\plain m}{\ul\ul0 n}})");
    const Font helvetica = named("Helvetica", 14);
    auto helveticaWith = [&](const std::function<void(TextAttributes&)>& set) { return changed(withFont(helvetica), set); };
    const AttributedText expected = runs({
        {u"a", withFont(helvetica)},
        {u"b", withFont(named("Helvetica", 14, FontWeight::bold))},
        {u"c", changed({}, [&](auto& a) { a.font = named("Helvetica", 14, FontWeight::regular, true); a.underlineStyle = 1; })},
        {u"d", helveticaWith([](auto& a) { a.underlineStyle = 0x09; })},
        {u"e", helveticaWith([](auto& a) { a.underlineStyle = 0x102; })},
        {u"f", helveticaWith([](auto& a) { a.strikethroughStyle = 1; })},
        {u"g", helveticaWith([](auto& a) { a.strikethroughStyle = 9; })},
        {u"h", helveticaWith([](auto& a) { a.foregroundColor = Color{1, 0, 0, 1}; })},
        {u"i", helveticaWith([](auto& a) { a.backgroundColor = Color{0, 0, 1, 0.5}; })},
        {u"j", helveticaWith([](auto& a) { a.backgroundColor = Color{1, 0, 0, 1}; })},
        {u"k", withFont(named("Menlo", 12.5, FontWeight::regular, false, true))},
        {u"l", withFont(Font::system(14))},
        {u"m", {}},
        {u"n", withFont(helvetica)},
    });
    EXPECT_EQ(text, expected);
}

// LibreOffice writes the bold and italic of East Asian text as the associated \ab and \ai after \dbch.
TEST(RTFReader, AssociatedBoldAndItalicApplyToDoubleByteText) {
    struct Case {
        std::string body;
        bool bold, italic;
    };
    const std::vector<Case> cases = {
        {R"(\dbch\af1\ab \'93\'fa)", true, false},
        {R"(\dbch\ai \'93\'fa)", false, true},
        {R"(\loch\f1\hich\af1\dbch\af1\ab\ai \'93\'fa)", true, true},
        {R"(\dbch\ab\ab0 \'93\'fa)", false, false},
        {R"(\dbch\ab\loch x)", false, false},
        {R"(\dbch\ab\hich x)", false, false},
        {R"(\dbch\ab\loch\dbch \'93\'fa)", true, false},
        {R"(\dbch\ab\plain\dbch \'93\'fa)", false, false},
        // Italic is held and dropped by the same switches as bold.
        {R"(\dbch\ai\loch x)", false, false},
        {R"(\dbch\ai\hich x)", false, false},
        {R"(\dbch\ai\loch\dbch \'93\'fa)", false, true},
        {R"(\dbch\ai\ai0 \'93\'fa)", false, false},
        {R"(\dbch\ai\plain\dbch \'93\'fa)", false, false},
        // Given outside \dbch, they belong to right-to-left text.
        {R"(\rtlch\ab\ai \ltrch\dbch \'93\'fa)", false, false},
        {R"(\b\i\dbch \'93\'fa)", true, true},
    };
    for (const auto& [body, bold, italic] : cases) {
        const AttributedText text = RTFReader::read(R"({\rtf1\ansi\ansicpg932{\fonttbl\f1\fcharset128 MS;}{)" + body + "}}");
        ASSERT_EQ(text.length(), 1U) << body;
        const auto& font = text.attributes(0).font;
        EXPECT_EQ(font && font->isBold(), bold) << body;
        EXPECT_EQ(font && font->italic, italic) << body;
    }
}

TEST(RTFReader, ParagraphFormattingCoversTheWholeParagraphAsInForceAtItsEnd) {
    const AttributedText text = RTFReader::read(
        R"({\rtf1 \pard\qc\li360\fi-180\sb120\sa240\tx720\tqr\tx1440 centred\par)"
        R"(\pard\ql plain\par)"
        R"(\pard one{\qr two\par}\qj\uc0\u8233 three})");
    ParagraphStyle centred;
    centred.alignment = TextAlignment::center;
    centred.headIndent = 18;
    centred.firstLineHeadIndent = 9;
    centred.paragraphSpacingBefore = 6;
    centred.paragraphSpacing = 12;
    centred.tabStops = {{TextAlignment::left, 36}, {TextAlignment::right, 72}};
    ParagraphStyle left;
    left.alignment = TextAlignment::left;
    ParagraphStyle right;
    right.alignment = TextAlignment::right;
    ParagraphStyle justified;
    justified.alignment = TextAlignment::justified;
    EXPECT_EQ(text, runs({
                        {u"centred\n", with({}, centred)},
                        {u"plain\n", with({}, left)},
                        {u"onetwo\n", with({}, right)},
                        {u"\u2029three", with({}, justified)},
                    }));
}

TEST(RTFReader, ListTablesGiveTextListsAndListTextStaysText) {
    const AttributedText text = RTFReader::read(
        R"({\rtf1{\*\listtable)"
        R"({\list{\listlevel\levelnfc23{\leveltext\'01\u-3913 ?;}}{\listlevel\levelnfc4{\leveltext\'02\'01.;}}\listid7})"
        R"({\list{\listlevel{\*\levelmarker \{upper-roman\}}}\listid8}})"
        R"({\*\listoverridetable{\listoverride\listid7\ls1}{\listoverride\listid8\ls2}})"
        R"(\pard\ls1{\listtext\'95\tab}a\par\pard\ls1\ilvl1 b\par\pard\ls2{\pntext I.\tab}c\par\pard\ls9 d})");
    auto listed = [](std::vector<std::string> formats) {
        ParagraphStyle style;
        for (auto& format : formats) style.textLists.push_back(TextList{std::move(format)});
        return with({}, style);
    };
    EXPECT_EQ(text, runs({
                        {u"•\ta\n", listed({"{disc}"})},
                        {u"b\n", listed({"{disc}", "{lower-alpha}"})},
                        {u"I.\tc\n", listed({"{upper-roman}"})},
                        {u"d", {}},
                    }));
}

TEST(RTFReader, HyperlinkFieldsBecomeLinks) {
    const AttributedText text = RTFReader::read(
        R"({\rtf1 {\field{\*\fldinst{HYPERLINK "https://a.example/?q=\\"x\\"" \\o "tip"}}{\fldrslt go}} )"
        R"({\field{\*\fldinst HYPERLINK \\l "sec"}{\fldrslt here}} {\field{\*\fldinst PAGE}{\fldrslt 3}}})");
    auto link = [](std::string target) { return changed({}, [&](auto& a) { a.link = target; }); };
    EXPECT_EQ(text, runs({
                        {u"go", link("https://a.example/?q=\"x\"")},
                        {u" ", {}},
                        {u"here", link("#sec")},
                        {u" 3", {}},
                    }));
}

// One field's link is one span: results side by side share it, a result after text of the field
// outside its results is no link, and a link inside another's result leaves the outer one whole.
TEST(RTFReader, AFieldsLinkIsOneSpan) {
    auto link = [](std::string target) { return changed({}, [&](auto& a) { a.link = target; }); };
    const std::vector<std::pair<std::string, AttributedText>> cases = {
        {R"({\rtf1{\field{\*\fldinst HYPERLINK "u"}{\fldrslt a}{\fldrslt b}}})", runs({{u"ab", link("u")}})},
        {R"({\rtf1{\field{\*\fldinst HYPERLINK "u"}{\fldrslt a}x{\fldrslt b}}})",
         runs({{u"a", link("u")}, {u"xb", {}}})},
        {R"({\rtf1{\field{\*\fldinst HYPERLINK "u"}{\fldrslt a{\field{\*\fldinst HYPERLINK "v"}{\fldrslt b}}c}}})",
         runs({{u"abc", link("u")}})},
    };
    for (const auto& [rtf, expected] : cases) {
        SCOPED_TRACE(rtf);
        EXPECT_EQ(RTFReader::read(rtf), expected);
    }
}

TEST(RTFReader, TablesBecomeTabsAndLineEndsAndTextlessDestinationsAreSkipped) {
    const AttributedText text = RTFReader::read(
        R"({\rtf1{\info{\title T}}{\stylesheet{\s1 Heading;}}{\*\generator G;}{\header H}{\footer F}{\*\unknown U})"
        R"({\pict\bin4 }{}x}{\object{\*\objdata 0102}}{\*\themedata 00}\unknownword kept )"
        R"({\trowd\cellx100\cellx200 a\cell b\cell\row}c})");
    EXPECT_EQ(text.string(), u"kept a\tb\nc");
}

TEST(RTFReader, MalformedDocumentsAreReadAsFarAsTheyGo) {
    const std::string deep = "{\\rtf1 top" + std::string(100000, '{') + "deep" + std::string(100000, '}') + " end}";
    const std::vector<std::pair<std::string, std::u16string>> cases = {
        {deep, u"top end"},
        {"{\\rtf1 a}}}b", u"a"},
        {"{\\rtf1 a{\\b b", u"ab"},
        {"{\\rtf1 a\\bin999999 xyz", u"a"},
        {"{\\rtf1 x\\u99999999?y\\uc99999999\\u65 abc}", u"xyA"},
        {"{\\rtf1 \\'", u""},
        {"{\\rtf1 \\'zz}", u"zz"},
    };
    for (const auto& [data, expected] : cases) {
        EXPECT_EQ(RTFReader::read(data).string(), expected) << data.substr(0, 40);
    }
    EXPECT_EQ(RTFReader::read("{\\rtf1\\fs99999999999999 x}"), AttributedText(u"x", withFont(Font::system(5e8))));
}

} // namespace
} // namespace tessaril::platform
