#include "TessarilMac/InputMode/MacInputSourceResolver.hpp"

#include <gtest/gtest.h>

namespace tessaril {
namespace {

const MacInputSourceSelection abc{"com.apple.keylayout.ABC", std::nullopt, "ABC"};
const MacInputSourceSelection us{"com.apple.keylayout.US", std::nullopt, "U.S."};
const MacInputSourceSelection hiragana{"com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese",
                                       "com.apple.inputmethod.Japanese", "ひらがな"};
const MacInputSourceSelection katakana{"com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese.Katakana",
                                       "com.apple.inputmethod.Japanese.Katakana", "カタカナ"};
const MacInputSourceSelection halfWidth{"com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese.HalfWidthKana",
                                        "com.apple.inputmethod.Japanese.HalfWidthKana", "半角カタカナ"};
const MacInputSourceSelection fullWidthRoman{"com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese.FullWidthRoman",
                                             "com.apple.inputmethod.Japanese.FullWidthRoman", "全角英字"};
const MacInputSourceSelection romajiLayout{"com.apple.inputmethod.Kotoeri.Roman", std::nullopt, "Romaji"};
const MacInputSourceSelection fullWidthKatakanaWords{"com.example.FullWidth", std::nullopt, "全角カタカナ"};

TEST(MacInputSourceResolverTests, scoresFollowTheTables) {
    struct Case {
        const MacInputSourceSelection* selection;
        int eisu, kana, fullWidthRoman, katakana, halfWidthKatakana;
    };
    const std::vector<Case> cases = {
        // keylayout 450 + abc 300 + exact ABC 700.
        {&abc, 1450, -1000, -1000, 0, -1000},
        // keylayout 450 + keylayout.us 250 + exact US 650.
        {&us, 1350, -1000, -1000, 0, -1000},
        // hiragana 700 + japanese 80; the "romaji" in romajityping does not make it a roman layout.
        {&hiragana, -1000, 780, -1000, -1000, -1000},
        // katakana 700 + kana (inside katakana) 120 + japanese 80.
        {&katakana, -1000, -1000, -1000, 900, -1000}, // no half-width word
        // halfwidthkana 900 + halfwidth 500 + カタカナ 250 + kana 120 + japanese 80.
        {&halfWidth, -1000, -1000, -1000, -1000, 1850},
        // fullwidthroman 900 + fullwidth 500 + roman 240 + japanese 50; for katakana only japanese 80.
        {&fullWidthRoman, -1000, -1000, 1690, 80, -1000},
        // A roman layout without Japanese words: roman 20 for eisu, excluded for the kana modes.
        {&romajiLayout, 20, -1000, -1000, -1000, -1000},
        // 全角 keeps it from eisu and kana; カタカナ keeps it from full-width roman.
        {&fullWidthKatakanaWords, -1000, -1000, -1000, 700, -1000},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.selection->sourceID);
        EXPECT_EQ(MacInputSourceResolver::eisuScore(*testCase.selection), testCase.eisu);
        EXPECT_EQ(MacInputSourceResolver::kanaScore(*testCase.selection), testCase.kana);
        EXPECT_EQ(MacInputSourceResolver::fullWidthRomanScore(*testCase.selection), testCase.fullWidthRoman);
        EXPECT_EQ(MacInputSourceResolver::katakanaScore(*testCase.selection), testCase.katakana);
        EXPECT_EQ(MacInputSourceResolver::halfWidthKatakanaScore(*testCase.selection), testCase.halfWidthKatakana);
    }
}

TEST(MacInputSourceResolverTests, selectionKeepsTheBestScoreOfAtLeastOneHundredAndTheEarliestOfEquals) {
    // eisu 120 + alphanumeric 40 + roman 20 + direct 20 - japanese 100 = exactly 100.
    const MacInputSourceSelection exactlyHundred{"com.example.eisu.direct", "alphanumeric.roman", "Japanese"};
    // Only "日本語": kana 80, below the bar.
    const MacInputSourceSelection eighty{"com.example.im", std::nullopt, "日本語"};
    const MacInputSourceSelection hiraganaCopy{"com.example.second", "hiragana", "second"};
    const MacInputSourceSelection hiraganaFirst{"com.example.first", "hiragana", "first"};

    EXPECT_EQ(MacInputSourceResolver::eisuScore(exactlyHundred), 100);
    EXPECT_EQ(MacInputSourceResolver::selection(InputMode::eisu, {exactlyHundred}), exactlyHundred);
    EXPECT_EQ(MacInputSourceResolver::kanaScore(eighty), 80);
    EXPECT_EQ(MacInputSourceResolver::selection(InputMode::kana, {eighty}), std::nullopt);
    EXPECT_EQ(MacInputSourceResolver::selection(InputMode::kana, {hiraganaFirst, hiraganaCopy}), hiraganaFirst);
    EXPECT_EQ(MacInputSourceResolver::selection(InputMode::kana, {hiraganaCopy, hiraganaFirst}), hiraganaCopy);
    EXPECT_EQ(MacInputSourceResolver::selection(InputMode::eisu, {us, abc}), abc);

    const std::vector<MacInputSourceSelection> all = {us,       abc,           hiragana, katakana,
                                                      halfWidth, fullWidthRoman, romajiLayout};
    EXPECT_EQ(MacInputSourceResolver::selection(InputMode::katakana, all), katakana);
    EXPECT_EQ(MacInputSourceResolver::selection(InputMode::halfWidthKatakana, all), halfWidth);
    EXPECT_EQ(MacInputSourceResolver::selection(InputMode::fullWidthRoman, all), fullWidthRoman);
    EXPECT_EQ(MacInputSourceResolver::selection(InputMode::fullWidthRoman, {fullWidthKatakanaWords}), std::nullopt);
}

TEST(MacInputSourceResolverTests, resolveNeedsBothAnEisuAndAKanaSource) {
    const MacInputSourceSelection unnamedHiragana{"", std::nullopt, "ひらがな"};
    EXPECT_EQ(MacInputSourceResolver::resolve({us, katakana, hiragana, abc}), (MacInputSourceConfiguration{abc, hiragana}));
    EXPECT_EQ(MacInputSourceResolver::resolve({abc, katakana}), std::nullopt);
    EXPECT_EQ(MacInputSourceResolver::resolve({abc, unnamedHiragana}), std::nullopt) << "empty source IDs are dropped";
    EXPECT_EQ(MacInputSourceResolver::resolve({}), std::nullopt);
    EXPECT_EQ((MacInputSourceConfiguration{abc, hiragana}).selection(InputMode::kana), hiragana);
    EXPECT_EQ((MacInputSourceConfiguration{abc, hiragana}).selection(InputMode::katakana), std::nullopt);
}

TEST(MacInputSourceResolverTests, inputModeOfASourceGoesByItsIdentifiersThenByItsWords) {
    const std::vector<std::pair<MacInputSourceSelection, InputMode>> cases = {
        {hiragana, InputMode::kana},
        {katakana, InputMode::katakana},
        {halfWidth, InputMode::halfWidthKatakana},
        {fullWidthRoman, InputMode::fullWidthRoman},
        {{"com.example.HalfWidthKatakana", std::nullopt, "x"}, InputMode::halfWidthKatakana},
        // A Japanese input method in its roman mode is eisu.
        {{"com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese", "com.apple.inputmethod.Roman", "英字"}, InputMode::eisu},
        // Rules go in order over both identifiers: the source's ".katakana" wins over the mode's ".roman".
        {{"com.example.Katakana", "com.example.Roman", "x"}, InputMode::katakana},
        {abc, InputMode::eisu},
        {romajiLayout, InputMode::eisu},
        {{"com.google.inputmethod.Japanese.base", std::nullopt, "Google"}, InputMode::kana},
        {{"com.example.im", std::nullopt, "Kana Input"}, InputMode::kana},
    };
    for (const auto& [selection, expected] : cases) {
        EXPECT_EQ(MacInputSourceResolver::inputMode(selection), expected) << selection.sourceID;
    }
    EXPECT_TRUE(MacInputSourceResolver::isRomanKeyboardLayout(romajiLayout));
    EXPECT_FALSE(MacInputSourceResolver::isRomanKeyboardLayout(hiragana));
    EXPECT_FALSE(MacInputSourceResolver::isJapaneseTextInput(abc));
}

TEST(MacInputSourceResolverTests, matchingAndMenuTitles) {
    const MacInputSourceSelection withoutMode{"com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese", std::nullopt, "日本語"};
    EXPECT_EQ(MacInputSourceResolver::matchingSelection(withoutMode, {abc, hiragana}), std::nullopt);
    EXPECT_EQ(MacInputSourceResolver::matchingSelection({abc.sourceID, std::nullopt, "other name"}, {us, abc}), abc);
    EXPECT_EQ(MacInputSourceResolver::matchingSelection({hiragana.sourceID, hiragana.inputModeID, ""}, {katakana, hiragana}),
              hiragana);
    EXPECT_EQ(abc.menuTitle(), "ABC / com.apple.keylayout.ABC");
    EXPECT_EQ(hiragana.menuTitle(), "ひらがな / com.apple.inputmethod.Japanese");
}

} // namespace
} // namespace tessaril
