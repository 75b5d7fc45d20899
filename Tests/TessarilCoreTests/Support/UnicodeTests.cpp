#include <gtest/gtest.h>

#include <limits>
#include <thread>

#include <unicode/uloc.h>

#include "TessarilCore/Support/SecondsString.hpp"
#include "TessarilCore/Support/UUIDGenerator.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {
namespace {

TEST(Unicode, CountsAndCutsUserPerceivedCharacters) {
    const std::string family = "👨‍👩‍👧";   // one character, five scalars
    const std::string flag = "🇯🇵";
    EXPECT_EQ(unicode::characterCount(family + flag + "a"), 3u);
    EXPECT_EQ(unicode::characterCount("e\u0301"), 1u);
    EXPECT_EQ(unicode::characterCount("a\r\nb"), 3u);
    EXPECT_EQ(unicode::characterCount(""), 0u);
    EXPECT_EQ(unicode::prefixCharacters(family + flag + "a", 2), family + flag);
    EXPECT_EQ(unicode::prefixCharacters("e\u0301x", 1), "e\u0301");
    EXPECT_EQ(unicode::prefixCharacters("ab", 5), "ab");
    EXPECT_EQ(unicode::characters("aé\r\n"), (std::vector<std::string>{"a", "é", "\r\n"}));
    // Invalid UTF-8 counts as replacement characters instead of failing.
    EXPECT_EQ(unicode::characterCount("a\xFF"), 2u);
}

TEST(Unicode, CasesAndTrims) {
    EXPECT_EQ(unicode::lowercased("ÀBC"), "àbc");
    EXPECT_EQ(unicode::uppercased("straße"), "STRASSE");
    EXPECT_EQ(unicode::trimmingWhitespaceAndNewlines("\u3000\t a b \n\u2028"), "a b");
    EXPECT_EQ(unicode::trimmingWhitespaceAndNewlines(" \n "), "");
    EXPECT_EQ(unicode::trimmingTrailingWhitespaceAndNewlines("  a  "), "  a");
    EXPECT_TRUE(unicode::isBlank("\u00A0\r\n"));
    EXPECT_FALSE(unicode::isBlank("\u200Bx"));
}

TEST(Unicode, LocalizedComparisonIsNumericAndCaseInsensitive) {
    EXPECT_LT(unicode::localizedStandardCompare("file2", "file10"), 0);
    EXPECT_EQ(unicode::localizedStandardCompare("Finder", "finder"), 0);
    EXPECT_LT(unicode::localizedStandardCompare("apple", "Banana"), 0);
    std::vector<std::string> names{"b", "B", "a10", "a9", "A"};
    unicode::stableSortLocalized(names, [](const std::string& name) { return name; });
    EXPECT_EQ(names, (std::vector<std::string>{"A", "a9", "a10", "b", "B"}));
}

// Lithuanian sorts "y" between "i" and "j"; a stored list must not reorder on such a machine. A new
// thread opens its own collator after the default locale has changed.
TEST(Unicode, LocalizedComparisonIgnoresTheProcessLocale) {
    const std::string previous = uloc_getDefault();
    UErrorCode status = U_ZERO_ERROR;
    uloc_setDefault("lt_LT", &status);
    ASSERT_TRUE(U_SUCCESS(status));
    int jBeforeY = 0;
    int numbered = 0;
    std::thread([&] {
        jBeforeY = unicode::localizedStandardCompare("j", "y");
        numbered = unicode::localizedStandardCompare("Set 2", "set 10");
    }).join();
    uloc_setDefault(previous.c_str(), &status);
    EXPECT_LT(jBeforeY, 0);
    EXPECT_LT(numbered, 0);
}

TEST(Unicode, UTF16LengthsAndReplacement) {
    EXPECT_EQ(unicode::utf16Length("a😀"), 3u);
    EXPECT_EQ(unicode::toUTF16("\xE3\x81"), std::u16string(1, u'\uFFFD'));
    EXPECT_EQ(unicode::fromUTF16(u"\xD800x"), "\uFFFDx");
}

TEST(SecondsString, ParsesRoundsAndClamps) {
    using R = RoundingRule;
    struct Case {
        const char* text;
        std::int64_t minimum, maximum;
        R rule;
        std::optional<std::int64_t> expected;
    };
    const Case cases[] = {
        {"0.0505", 0, 2000, R::toNearestOrAwayFromZero, 51},
        {"1", 0, 2000, R::toNearestOrAwayFromZero, 1000},
        {"2.5", 0, 2000, R::toNearestOrAwayFromZero, 2000},
        {" 0.4509\n", 100, 5000, R::towardZero, 450},
        {"0.0995", 100, 5000, R::towardZero, 100},
        {"-3", 0, 200, R::toNearestOrAwayFromZero, 0},
        {"0.0125", 0, 2000, R::toNearestOrEven, 12},
        {"0.0135", 0, 2000, R::toNearestOrEven, 14},
        {"0.0101", 0, 2000, R::up, 11},
        {"0.0109", 0, 2000, R::down, 10},
        {"1e-1", 0, 2000, R::towardZero, 100},
        {"+0.2", 0, 2000, R::towardZero, 200},
        {"1e308", 0, 2000, R::towardZero, 2000},   // product overflows: the maximum
        {"-1e308", 0, 2000, R::towardZero, 0},
        {"1e400", 0, 2000, R::towardZero, std::nullopt}, // beyond double range
        {"1e-400", 0, 2000, R::towardZero, std::nullopt},
        {"1e-320", 100, 5000, R::towardZero, 100},   // a subnormal double is still a number
        {"0x1.8p-1", 0, 2000, R::towardZero, 750},
        {"-0X1P1", -5000, 5000, R::towardZero, -2000},
        {"0x", 0, 2000, R::towardZero, std::nullopt},
        {"0x-1", 0, 2000, R::towardZero, std::nullopt},
        {"+-1", 0, 2000, R::towardZero, std::nullopt},
        {"--1", 0, 2000, R::towardZero, std::nullopt},
        {".5", 0, 2000, R::towardZero, 500},
        {"5.", 0, 2000, R::towardZero, 2000},
        {"1e", 0, 2000, R::towardZero, std::nullopt},
        {"inf", 0, 2000, R::towardZero, std::nullopt},
        {"nan", 0, 2000, R::towardZero, std::nullopt},
        {"", 0, 2000, R::towardZero, std::nullopt},
        {"  ", 0, 2000, R::towardZero, std::nullopt},
        {"0,5", 0, 2000, R::towardZero, std::nullopt},
        {"0.5s", 0, 2000, R::towardZero, std::nullopt},
        {"1 2", 0, 2000, R::towardZero, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(clampedMillisecondsFromSecondsString(c.text, c.minimum, c.maximum, c.rule), c.expected) << c.text;
    }
    EXPECT_EQ(clampedMillisecondsFromSecondsString(std::string("1\0", 2), 0, 2000, R::towardZero), std::nullopt);
}

TEST(UUIDGenerator, MakesUpperCaseVersion4Identifiers) {
    auto identifier = UUIDGenerator::next();
    ASSERT_EQ(identifier.size(), 36u);
    EXPECT_EQ(identifier[14], '4');
    EXPECT_NE(std::string("89AB").find(identifier[19]), std::string::npos);
    EXPECT_EQ(identifier.find_first_of("abcdef"), std::string::npos);
    EXPECT_NE(UUIDGenerator::next(), identifier);
    UUIDGenerator::ScopedOverride sequence(UUIDGenerator::sequential());
    EXPECT_EQ(UUIDGenerator::next(), "00000000-0000-4000-8000-000000000001");
    EXPECT_EQ(UUIDGenerator::next(), "00000000-0000-4000-8000-000000000002");
    // A test's override stays on its own thread.
    std::string elsewhere;
    std::thread([&] { elsewhere = UUIDGenerator::next(); }).join();
    EXPECT_EQ(elsewhere.find("00000000-0000-4000-8000-"), std::string::npos) << elsewhere;
    {
        UUIDGenerator::ScopedOverride inner([] { return std::string("inner"); });
        EXPECT_EQ(UUIDGenerator::next(), "inner");
    }
    EXPECT_EQ(UUIDGenerator::next(), "00000000-0000-4000-8000-000000000003");
}

} // namespace
} // namespace tessaril
