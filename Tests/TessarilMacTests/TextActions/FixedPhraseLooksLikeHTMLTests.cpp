#include <gtest/gtest.h>

#include <string>

#include "TessarilMac/TextActions/FixedPhraseLooksLikeHTML.hpp"

namespace tessaril {
namespace {

TEST(FixedPhraseLooksLikeHTML, NeedsALetterAfterTheBracketAndACloseAfterIt) {
    struct Case {
        const char* text;
        bool expected;
    };
    const Case cases[] = {
        {"", false},      {"plain text", false}, {"< b> and < /p>", false}, {"a < b > c", false},
        {"x</p>y", true}, {"<b", false},         {"> <b", false},           {"<1> <b\n class=x>", true},
        {"<<b>", true},   {"</>", false},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(fixedPhraseLooksLikeHTML(entry.text), entry.expected) << entry.text;
    }
    std::string manyOpenings(200'000, '<');
    EXPECT_FALSE(fixedPhraseLooksLikeHTML(manyOpenings + "a"));
}

} // namespace
} // namespace tessaril
