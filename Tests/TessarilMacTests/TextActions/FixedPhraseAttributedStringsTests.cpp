#include <gtest/gtest.h>

#include "TessarilMac/TextActions/FixedPhraseAttributedStrings.hpp"
#include "TessarilMacTests/RichText/RichTextTestSupport.hpp"

namespace tessaril {
namespace {

using namespace rich_text_test;

TEST(FixedPhraseAttributedStrings, PlainTextInTheSystemFont) {
    EXPECT_EQ(fixedPhrasePlainAttributedString("a\nb"), text({{"a\nb", withFont(Font::system(14))}}));
    EXPECT_EQ(fixedPhrasePlainAttributedString(""), AttributedText());
}

TEST(FixedPhraseAttributedStrings, DisplaySafeCopyDropsColourOnlyWhereTheParagraphHasItsOwnLook) {
    auto coloured = [](TextAttributes attributes) {
        attributes.foregroundColor = Color{0.2, 0.3, 0.4, 1};
        return attributes;
    };
    TextAttributes indented = body();
    indented.paragraphStyle = ParagraphStyle{};
    indented.paragraphStyle->headIndent = 16;
    TextAttributes shaded = body();
    shaded.backgroundColor = Color{0.9, 0.9, 0.9, 1};
    TextAttributes noFont;
    AttributedText source = text({{"ordinary\n", coloured(withFont(Font::system(13)))},
                                  {"small\n", coloured(withFont(Font::system(12)))},
                                  {"indented\n", coloured(indented)},
                                  {"shaded\n", coloured(shaded)},
                                  {"mono\n", coloured(withFont(Font::monospacedSystem(14)))},
                                  {"no font", coloured(noFont)}});
    AttributedText expected = text({{"ordinary\n", coloured(withFont(Font::system(13)))},
                                    {"small\n", withFont(Font::system(12))},
                                    {"indented\n", indented},
                                    {"shaded\n", shaded},
                                    {"mono\n", withFont(Font::monospacedSystem(14))},
                                    {"no font", coloured(noFont)}});
    EXPECT_EQ(fixedPhraseDisplaySafeAttributedString(source), expected);
    EXPECT_EQ(fixedPhraseDisplaySafeAttributedString(AttributedText()), AttributedText());
}

} // namespace
} // namespace tessaril
