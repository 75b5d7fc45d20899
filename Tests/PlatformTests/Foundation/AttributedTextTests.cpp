#include "Platform/Foundation/AttributedText.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "PlatformTests/Foundation/AttributedTextPrinter.hpp"

namespace tessaril::platform {
namespace {

TextAttributes bold() {
    TextAttributes attributes;
    attributes.font = Font::system(14, FontWeight::bold);
    return attributes;
}

TextAttributes red() {
    TextAttributes attributes;
    attributes.foregroundColor = Color{1, 0, 0, 1};
    return attributes;
}

// The runs as (text, attributes) pairs, which reads better in failures than ranges.
std::vector<std::pair<std::u16string, TextAttributes>> pieces(const AttributedText& text) {
    std::vector<std::pair<std::u16string, TextAttributes>> result;
    for (const auto& run : text.runs()) {
        result.emplace_back(text.string().substr(run.range.location, run.range.length), run.attributes);
    }
    return result;
}

TEST(AttributedText, EqualNeighboursAlwaysMerge) {
    AttributedText text;
    text.append(u"a ", {});
    text.append(u"bold", bold());
    text.append(u" word", bold());
    text.append(u"", red());
    EXPECT_EQ(pieces(text), (decltype(pieces(text)){{u"a ", {}}, {u"bold word", bold()}}));

    // Making the middle plain again leaves one run, not three.
    text.setAttributes({}, {2, 4});
    text.removeAttribute(TextAttributes::Key::font, {6, 5});
    EXPECT_EQ(pieces(text), (decltype(pieces(text)){{u"a bold word", {}}}));

    text.addAttributes(red(), {0, 3});
    text.addAttributes(bold(), {2, 9});
    TextAttributes both = red();
    both.add(bold());
    EXPECT_EQ(pieces(text), (decltype(pieces(text)){{u"a ", red()}, {u"b", both}, {u"old word", bold()}}));
    TextRange effective;
    EXPECT_EQ(text.attributes(5, &effective), bold());
    EXPECT_EQ(effective, (TextRange{3, 8}));
    EXPECT_EQ(text.runs({1, 3}), (std::vector<AttributedText::Run>{{{1, 1}, red()}, {{2, 1}, both}, {{3, 1}, bold()}}));
}

// A character outside the basic plane is two units; a boundary between them would leave each half
// alone, which every UTF-8 consumer turns into U+FFFD. The pair takes its first half's attributes.
TEST(AttributedText, NoRunBoundarySplitsASurrogatePair) {
    struct Case {
        const char* name;
        std::function<void(AttributedText&)> change;
        std::vector<std::pair<std::u16string, TextAttributes>> expected;
    };
    const std::vector<Case> cases = {
        {"halves appended apart", [](AttributedText& text) { text.append(u"\xDE0A!", bold()); },
         {{u"a\U0001F60A", {}}, {u"!", bold()}}},
        {"the low half set alone", [](AttributedText& text) { text.append(u"\xDE0A" u"b", {}); text.setAttributes(bold(), {2, 1}); },
         {{u"a", {}}, {u"\U0001F60A", bold()}, {u"b", {}}}},
        {"a range ending inside the pair", [](AttributedText& text) { text.append(u"\xDE0A" u"b", {}); text.addAttributes(red(), {0, 2}); },
         {{u"a\U0001F60A", red()}, {u"b", {}}}},
    };
    for (const Case& each : cases) {
        AttributedText text;
        text.append(u"a\xD83D", {});
        each.change(text);
        EXPECT_EQ(pieces(text), each.expected) << each.name;
    }
}

TEST(AttributedText, ParagraphRangesEndAtEveryParagraphSeparatorButTheLineSeparator) {
    const AttributedText text(u"ab\r\ncd\ref\u2028gh\u2029i\u0085\nj");
    // Positions: a0 b1 CR2 LF3 c4 d5 CR6 e7 f8 LS9 g10 h11 PS12 i13 NEL14 LF15 j16
    const std::vector<std::pair<TextRange, TextRange>> cases = {
        {{0, 0}, {0, 4}},   {{3, 0}, {0, 4}},   {{4, 0}, {4, 3}},  {{7, 0}, {7, 6}},  {{10, 0}, {7, 6}},
        {{13, 0}, {13, 2}}, {{15, 0}, {15, 1}}, {{1, 5}, {0, 7}},  {{17, 0}, {16, 1}}, {{3, 1}, {0, 4}},
    };
    for (const auto& [range, expected] : cases) {
        EXPECT_EQ(text.paragraphRange(range), expected) << range.location << "+" << range.length;
    }
    EXPECT_EQ(AttributedText(u"a\n").paragraphRange({2, 0}), (TextRange{2, 0}));
    EXPECT_EQ(AttributedText().paragraphRange({0, 0}), (TextRange{0, 0}));
}

TEST(AttributedText, ReplacedCharactersTakeTheirNeighboursAttributes) {
    AttributedText text;
    text.append(u"plain ", {});
    text.append(u"bold", bold());

    AttributedText replaced = text;
    replaced.replaceCharacters({6, 4}, u"strong!");
    EXPECT_EQ(pieces(replaced), (decltype(pieces(replaced)){{u"plain ", {}}, {u"strong!", bold()}}));

    AttributedText inserted = text;
    inserted.replaceCharacters({10, 0}, u"er");
    inserted.replaceCharacters({0, 0}, u">");
    EXPECT_EQ(pieces(inserted), (decltype(pieces(inserted)){{u">plain ", {}}, {u"bolder", bold()}}));

    // An attributed replacement merges with equal neighbours and shifts the runs after it.
    AttributedText spliced = text;
    spliced.replaceCharacters({0, 5}, AttributedText(u"very", bold()));
    spliced.replaceCharacters({4, 1}, AttributedText(u"-", bold()));
    EXPECT_EQ(pieces(spliced), (decltype(pieces(spliced)){{u"very-bold", bold()}}));
    EXPECT_EQ(spliced.runs().front().range, (TextRange{0, 9}));

    spliced.deleteCharacters({0, 5});
    EXPECT_EQ(spliced, AttributedText(u"bold", bold()));
    EXPECT_EQ(text.substring({4, 4}), [] {
        AttributedText expected(u"n ");
        expected.append(u"bo", bold());
        return expected;
    }());
}

TEST(AttributedText, RangesPastTheEndThrow) {
    AttributedText text(u"abc");
    EXPECT_THROW(text.attributes(3), std::out_of_range);
    EXPECT_THROW(text.paragraphRange({2, 2}), std::out_of_range);
    EXPECT_THROW(text.addAttributes(bold(), {4, 0}), std::out_of_range);
    EXPECT_THROW(text.replaceCharacters({1, static_cast<std::size_t>(-1)}, u"x"), std::out_of_range);
    EXPECT_EQ(text, AttributedText(u"abc"));
}

TEST(TextList, MarkersForEveryFormat) {
    const std::vector<std::tuple<std::string, long long, std::string>> cases = {
        {"{disc}", 7, "\u2022"},           {"{circle}", 1, "\u25E6"},       {"{square}", 2, "\u25AA"},
        {"{decimal}", 12, "12"},           {"{decimal}.", 3, "3."},         {"({lower-alpha})", 28, "(ab)"},
        {"{upper-alpha}", 26, "Z"},        {"{lower-roman}", 1994, "mcmxciv"}, {"{upper-roman}", 4, "IV"},
        {"{upper-roman}", 4000, "4000"},   {"{lower-alpha}", 0, "0"},       {"{octal}", 8, "10"},
        {"{upper-hexadecimal}", 255, "FF"}, {"{unknown}", 1, ""},           {"-", 1, "-"},
    };
    for (const auto& [format, number, expected] : cases) {
        EXPECT_EQ(TextList{format}.marker(number), expected) << format << " " << number;
    }
}

} // namespace
} // namespace tessaril::platform
