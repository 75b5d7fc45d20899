#include <gtest/gtest.h>

#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"

namespace tessaril {
namespace {

namespace normalizer = FixedPhraseAttributedTextNormalizer;

TEST(FixedPhraseListItemText, RemovesPastedMarkersOnly) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"\u2022\tWord", "Word"},
        {"  \u00A0\u25E6 \u25AA\t-\tNested\n", "Nested"},
        {"1) One", "One"},
        {"12.\t2. Two", "Two"},
        {"\uF0B7\tSymbol font", "Symbol font"},
        {"|\t| too", "too"},
        {"I agree", "I agree"},
        {"l like it", "l like it"},
        {"I\tfrom Word", "from Word"},
        {"l\t l\tx", "x"},
        {"\u2022  ", "\u2022"},
        {"3.5 apples", "3.5 apples"},
        {"-1 degrees", "-1 degrees"},
        {"\u202F", ""},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(normalizer::normalizedListItemBody(entry.text), entry.expected) << entry.text;
    }
}

TEST(FixedPhraseListItemText, EscapesMarkdownPunctuation) {
    EXPECT_EQ(normalizer::escapeMarkdownInline("a\\b `c` *d* _e_ ~f~ [g](h) #"),
              "a\\\\b \\`c\\` \\*d\\* \\_e\\_ \\~f\\~ \\[g\\]\\(h\\) #");
}

} // namespace
} // namespace tessaril
