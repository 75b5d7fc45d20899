#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <string_view>
#include <unordered_set>

#include "TessarilCore/Rules/CommandKeyAction.hpp"
#include "TessarilCore/Input/CompanionModifier.hpp"
#include "TessarilCore/Settings/KeyboardPreset.hpp"
#include "TessarilCore/Rules/ModifiedCommandAction.hpp"
#include "TessarilCore/Input/PhysicalKey.hpp"
#include "TessarilCore/Input/Shortcut.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"

namespace tessaril {
namespace {

// Every action, by the name a stored document gives it, on both sides: the tap's standard is eisu on
// the left and kana on the right, the companion's standard the reverse.
TEST(InputModel, CommandActionsMapSidesToModes) {
    using enum InputMode;
    using Mode = std::optional<InputMode>;
    struct Case {
        const char* name;
        Mode tapLeft, tapRight, modifiedLeft, modifiedRight;
        bool advanced;
    };
    const Case cases[] = {
        {"disabled", {}, {}, {}, {}, false},
        {"standard", eisu, kana, kana, eisu, false},
        {"eisu", eisu, eisu, eisu, eisu, false},
        {"kana", kana, kana, kana, kana, false},
        {"fullWidthRoman", fullWidthRoman, fullWidthRoman, fullWidthRoman, fullWidthRoman, true},
        {"katakana", katakana, katakana, katakana, katakana, true},
        {"halfWidthKatakana", halfWidthKatakana, halfWidthKatakana, halfWidthKatakana, halfWidthKatakana, true},
    };
    ASSERT_EQ(std::size(cases), allCases<CommandKeyAction>().size()) << "an action without a row";
    ASSERT_EQ(std::size(cases), allCases<ModifiedCommandAction>().size()) << "an action without a row";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto tap = enumFromRawValue<CommandKeyAction>(c.name);
        const auto modified = enumFromRawValue<ModifiedCommandAction>(c.name);
        ASSERT_TRUE(tap && modified);
        EXPECT_EQ(inputMode(*tap, CommandKeySide::left), c.tapLeft);
        EXPECT_EQ(inputMode(*tap, CommandKeySide::right), c.tapRight);
        EXPECT_EQ(inputMode(*modified, CommandKeySide::left), c.modifiedLeft);
        EXPECT_EQ(inputMode(*modified, CommandKeySide::right), c.modifiedRight);
        EXPECT_EQ(isEnabled(*tap), c.tapLeft.has_value());
        EXPECT_EQ(isEnabled(*modified), c.modifiedLeft.has_value());
        EXPECT_EQ(usesAdvancedInputMode(*tap), c.advanced);
        EXPECT_EQ(usesAdvancedInputMode(*modified), c.advanced);
    }
    EXPECT_TRUE(isKanaTextInput(InputMode::halfWidthKatakana));
    EXPECT_FALSE(isKanaTextInput(InputMode::fullWidthRoman));
}

TEST(InputModel, StoredNamesAreReadExactly) {
    EXPECT_EQ(enumFromRawValue<InputMode>("Eisu"), std::nullopt);
    EXPECT_EQ(enumFromRawValue<KeyboardPreset>("Laptop"), std::nullopt);
    EXPECT_EQ(enumFromRawValue<KeyboardPreset>(" laptop"), std::nullopt);
    EXPECT_EQ(coding::decode<CompanionModifier>(Json("control")), CompanionModifier::control);
    EXPECT_EQ(enumFromRawValue<CompanionModifier>("Control"), std::nullopt);
}

// Menus list the built-in presets in this order, and their default names carry the same numbers.
TEST(InputModel, StandardPresetsAreNumberedInTheirOrder) {
    const std::string_view names[] = {"P1 執筆", "P2 英語", "P3 コード"};
    ASSERT_EQ(keyboard_preset::standardCases.size(), std::size(names));
    for (std::size_t index = 0; index < std::size(names); ++index) {
        EXPECT_EQ(defaultDisplayName(keyboard_preset::standardCases[index]), names[index]) << index;
    }
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
