#include <gtest/gtest.h>

#include <unordered_set>

#include "TessarilCore/Rules/CommandKeyAction.hpp"
#include "TessarilCore/Input/CompanionModifier.hpp"
#include "TessarilCore/Settings/KeyboardPreset.hpp"
#include "TessarilCore/Rules/ModifiedCommandAction.hpp"
#include "TessarilCore/Input/PhysicalKey.hpp"
#include "TessarilCore/Input/Shortcut.hpp"

namespace tessaril {
namespace {

TEST(InputModel, CommandActionsMapSidesToModes) {
    using L = CommandKeySide;
    struct Case {
        CommandKeyAction tap;
        ModifiedCommandAction modified;
        std::optional<InputMode> tapLeft, tapRight, modifiedLeft, modifiedRight;
    };
    const Case cases[] = {
        {CommandKeyAction::disabled, ModifiedCommandAction::disabled, {}, {}, {}, {}},
        {CommandKeyAction::standard, ModifiedCommandAction::standard, InputMode::eisu, InputMode::kana,
         InputMode::kana, InputMode::eisu},
        {CommandKeyAction::eisu, ModifiedCommandAction::eisu, InputMode::eisu, InputMode::eisu, InputMode::eisu,
         InputMode::eisu},
        {CommandKeyAction::halfWidthKatakana, ModifiedCommandAction::halfWidthKatakana, InputMode::halfWidthKatakana,
         InputMode::halfWidthKatakana, InputMode::halfWidthKatakana, InputMode::halfWidthKatakana},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(inputMode(c.tap, L::left), c.tapLeft);
        EXPECT_EQ(inputMode(c.tap, L::right), c.tapRight);
        EXPECT_EQ(inputMode(c.modified, L::left), c.modifiedLeft);
        EXPECT_EQ(inputMode(c.modified, L::right), c.modifiedRight);
    }
    EXPECT_FALSE(isEnabled(CommandKeyAction::disabled));
    EXPECT_TRUE(isEnabled(ModifiedCommandAction::standard));
    EXPECT_FALSE(usesAdvancedInputMode(CommandKeyAction::standard));
    EXPECT_FALSE(usesAdvancedInputMode(CommandKeyAction::kana));
    EXPECT_TRUE(usesAdvancedInputMode(ModifiedCommandAction::fullWidthRoman));
    EXPECT_TRUE(isKanaTextInput(InputMode::halfWidthKatakana));
    EXPECT_FALSE(isKanaTextInput(InputMode::fullWidthRoman));
}

TEST(InputModel, RawValuesAreExactAndOrdered) {
    EXPECT_EQ(enumFromRawValue<InputMode>("Eisu"), std::nullopt);
    EXPECT_EQ(enumFromRawValue<KeyboardPreset>("Laptop"), std::nullopt);
    EXPECT_EQ(enumFromRawValue<KeyboardPreset>(" laptop"), std::nullopt);
    EXPECT_EQ(enumFromRawValue<ModifiedCommandAction>("katakana"), ModifiedCommandAction::katakana);
    auto companions = allCases<CompanionModifier>();
    EXPECT_EQ(rawValue(companions[0]), "shift");
    EXPECT_EQ(rawValue(companions[2]), "control");
    EXPECT_EQ(allCases<CommandKeyAction>().size(), 7u);
    EXPECT_EQ(keyboard_preset::defaultPreset, KeyboardPreset::laptop);
    EXPECT_EQ(keyboard_preset::standardCases[2], KeyboardPreset::fullSizeUS);
    EXPECT_EQ(defaultDisplayName(KeyboardPreset::fullSizeUS), "P3 コード");
}

TEST(InputModel, BaseCharacterMapsShiftedSymbolsOnly) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"?", "/"}, {"A", "a"}, {" ~ ", "`"}, {"Ab", "ab"}, {" ", ""}, {"1", "1"}, {"\"", "'"},
        {"|", "\\"}, {"_", "-"}, {"\n}\t", "]"},
        {"Ä", "ä"},            // non-ASCII is lower-cased only
        {"！", "！"},          // full-width forms are not mapped
        {"?\u0301", "?\u0301"}, // one character, but not the symbol itself
        {"İ", "i\u0307"},      // full lower-casing, not simple
    };
    for (const auto& c : cases) EXPECT_EQ(Shortcut::baseCharacter(c.text), c.expected) << c.text;

    Shortcut quote{{Shortcut::Modifier::control, Shortcut::Modifier::shift}, Shortcut::Key::character("\"")};
    EXPECT_EQ(quote.normalizedToBaseKey(), Shortcut::controlShiftQuote());
    Shortcut escape{{Shortcut::Modifier::command}, Shortcut::Key::escape()};
    EXPECT_EQ(escape.normalizedToBaseKey(), escape);
}

TEST(InputModel, CommandLettersNormaliseToOneLatinLetter) {
    struct Case {
        const char* text;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {" W ", "w"}, {"w w", std::nullopt}, {"1", std::nullopt}, {"", std::nullopt},
        {"\u3000q\u00A0", "q"},          // ideographic and no-break spaces are white space
        {"Ｑ", std::nullopt},             // full-width letter is not a–z
        {"é", std::nullopt}, {"ß", std::nullopt},
        {"K", "k"},
    };
    for (const auto& c : cases) EXPECT_EQ(Shortcut::normalizedCommandLetter(c.text), c.expected) << c.text;

    EXPECT_EQ(Shortcut::commandLetter("Q"), Shortcut::commandQ());
    EXPECT_EQ(Shortcut::commandQ().commandLetter(), "q");
    Shortcut shifted{{Shortcut::Modifier::command, Shortcut::Modifier::shift}, Shortcut::Key::character("q")};
    Shortcut upper{{Shortcut::Modifier::command}, Shortcut::Key::character("Q")};
    Shortcut keypad{{Shortcut::Modifier::command}, Shortcut::Key::keypadPeriod()};
    EXPECT_EQ(shifted.commandLetter(), std::nullopt);
    EXPECT_EQ(upper.commandLetter(), std::nullopt);
    EXPECT_EQ(keypad.commandLetter(), std::nullopt);
}

TEST(InputModel, KeyTextsCompareByCanonicalEquivalence) {
    const std::string composed = "\u00E9";    // é
    const std::string decomposed = "e\u0301"; // e + combining acute
    EXPECT_EQ(PhysicalKey::character(composed), PhysicalKey::character(decomposed));
    EXPECT_NE(PhysicalKey::character("a"), PhysicalKey::character("A"));
    EXPECT_NE(PhysicalKey::option(ModifierKeySide::left), PhysicalKey::control(ModifierKeySide::left));
    EXPECT_NE(PhysicalKey::command(CommandKeySide::left), PhysicalKey::command(CommandKeySide::right));

    Shortcut first{{Shortcut::Modifier::option}, Shortcut::Key::character(composed)};
    Shortcut second{{Shortcut::Modifier::option}, Shortcut::Key::character(decomposed)};
    EXPECT_EQ(first, second);
    std::unordered_set<Shortcut> shortcuts{first};
    EXPECT_TRUE(shortcuts.contains(second));
    std::unordered_set<PhysicalKey> keys{PhysicalKey::character(composed)};
    EXPECT_TRUE(keys.contains(PhysicalKey::character(decomposed)));
    EXPECT_FALSE(keys.contains(PhysicalKey::character("e")));
}

} // namespace
} // namespace tessaril
