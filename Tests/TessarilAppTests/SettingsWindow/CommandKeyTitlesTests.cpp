#include <gtest/gtest.h>

#include "TessarilApp/SettingsWindow/CommandKeyTitles.hpp"

namespace tessaril {
namespace {

constexpr auto left = CommandKeySide::left;
constexpr auto right = CommandKeySide::right;

TEST(CommandKeyTitlesTests, TheStandardActionNamesTheModeOfItsSideAndTheModifiedOneTheOtherSide) {
    struct Case {
        CommandKeyAction action;
        CommandKeySide side;
        const char* title;
        const char* summary;
    };
    const Case cases[] = {
        {CommandKeyAction::standard, left, "標準（英数）", "標準: 英数へ切り替え"},
        {CommandKeyAction::standard, right, "標準（かな）", "標準: かなへ切り替え"},
        {CommandKeyAction::disabled, left, "なし", "変更しない"},
        {CommandKeyAction::kana, left, "かな", "かなへ切り替え"},
        {CommandKeyAction::fullWidthRoman, right, "全角英数", "全角英数へ切り替え"},
        {CommandKeyAction::katakana, left, "カタカナ", "カタカナへ切り替え"},
        {CommandKeyAction::halfWidthKatakana, right, "半角カタカナ", "半角カタカナへ切り替え"},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(commandActionTitle(test.action, test.side), test.title);
        EXPECT_EQ(commandActionSummary(test.action, test.side), test.summary);
    }
    EXPECT_EQ(modifiedCommandActionTitle(ModifiedCommandAction::standard, left), "標準（かな）");
    EXPECT_EQ(modifiedCommandActionTitle(ModifiedCommandAction::standard, right), "標準（英数）");
    EXPECT_EQ(commandActionSummary(ModifiedCommandAction::standard, left), "標準: かなへ切り替え");
    EXPECT_EQ(commandActionSummary(ModifiedCommandAction::eisu, left), "英数へ切り替え");
    EXPECT_EQ(commandActionSummary(ModifiedCommandAction::disabled, right), "変更しない");

    EXPECT_EQ(commandComboTitle(CompanionModifier::shift, left), "⇧+左⌘");
    EXPECT_EQ(commandComboTitle(CompanionModifier::option, right), "⌥+右⌘");
    EXPECT_EQ(commandComboTitle(CompanionModifier::control, left), "⌃+左⌘");
}

} // namespace
} // namespace tessaril
