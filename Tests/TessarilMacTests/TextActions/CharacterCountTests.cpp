#include <gtest/gtest.h>

#include "TessarilMac/TextActions/CharacterCountHUDOrigin.hpp"
#include "TessarilMac/TextActions/CharacterCountSummary.hpp"

namespace tessaril {
namespace {

TEST(CharacterCountSummary, CountsCharactersBlanksLinesAndHalfWidthUnits) {
    struct Case {
        const char* text;
        CharacterCountSummary expected;
    };
    auto summary = [](std::size_t total, std::size_t nonWhitespace, std::size_t lines, std::size_t units) {
        CharacterCountSummary value;
        value.totalCharacters = total;
        value.nonWhitespaceCharacters = nonWhitespace;
        value.lineCount = lines;
        value.halfWidthUnits = units;
        return value;
    };
    const Case cases[] = {
        {"", summary(0, 0, 0, 0)},
        {"a\nb\n", summary(4, 2, 3, 4)},
        {"a\r\nb\r\nc", summary(5, 3, 3, 5)},
        {"a\rb", summary(3, 2, 2, 3)},
        {"\r\n\n", summary(2, 0, 3, 2)},
        {"日本ｶﾅＡ", summary(5, 5, 1, 8)},
        {"👍🏽e\u0301", summary(2, 2, 1, 4)},
        {"\u3000 \t", summary(3, 0, 1, 4)},
        {"\x7F~", summary(2, 2, 1, 3)},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(CharacterCountSummary(entry.text), entry.expected) << entry.text;
    }
}

TEST(CharacterCountSummary, ResultTextHasFourTabSeparatedLines) {
    EXPECT_EQ(characterCountResultText(CharacterCountSummary("ab c\nd")),
              "文字数\t6\n空白除く\t4\n行数\t2\n半角換算\t6");
}

TEST(CharacterCountHUDOrigin, PlacesThePanelInsideTheVisibleFrame) {
    const Screen main{{{0, 0}, {1440, 900}}, {{0, 80}, {1440, 795}}};
    const Screen right{{{1440, 0}, {1920, 1080}}, {{1440, 0}, {1920, 1055}}};
    const ScreenSize panel{292, 154};
    struct Case {
        const char* name;
        CharacterCountHUDPosition position;
        ScreenLayout layout;
        ScreenPoint expected;
    };
    using enum CharacterCountHUDPosition;
    const Case cases[] = {
        {"below and right of the pointer", pointer, {{main, right}, main, {400, 500}}, {418, 328}},
        {"above the pointer near the bottom", pointer, {{main, right}, main, {400, 200}}, {418, 218}},
        {"held 8 points inside the right edge", pointer, {{main, right}, main, {1400, 500}}, {1140, 328}},
        {"held below the top edge", pointer, {{main}, main, {100, 899}}, {118, 713}},
        {"on the screen under the pointer", pointer, {{main, right}, main, {3300, 40}}, {3060, 58}},
        {"off every screen: the main one", pointer, {{main, right}, main, {-50, 500}}, {8, 328}},
        {"no screens at all", pointer, {{}, std::nullopt, {-50, -50}}, {8, 8}},
        {"fixed: centred under the top", fixed, {{main, right}, main, {3300, 40}}, {574, 649}},
        {"fixed without a main screen", fixed, {{}, std::nullopt, {0, 0}}, {494, 574}},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(characterCountHUDOrigin(panel, entry.position, entry.layout), entry.expected) << entry.name;
    }
}

} // namespace
} // namespace tessaril
