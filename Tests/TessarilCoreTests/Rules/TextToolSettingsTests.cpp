#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "TessarilCoreTests/Support/DecodingFailure.hpp"
#include "TessarilCore/Rules/TextToolSettings.hpp"

namespace tessaril {
namespace {

using test_support::expectDecodingFailures;

using Modifier = Shortcut::Modifier;

Shortcut commandControl(std::string character) {
    return Shortcut{ShortcutModifierSet{Modifier::command, Modifier::control}, Shortcut::Key::character(std::move(character))};
}


TEST(TextToolSettingsTest, DefaultsAreThreeDisabledCommandControlShortcuts) {
    const TextToolSettings defaults;
    EXPECT_EQ(defaults.plainCopy, (TextToolShortcutRule{false, commandControl("c")}));
    EXPECT_EQ(defaults.plainPaste, (TextToolShortcutRule{false, commandControl("v")}));
    EXPECT_EQ(defaults.characterCount, (TextToolShortcutRule{false, commandControl("m")}));
    EXPECT_EQ(defaults.characterCountHUDPosition, CharacterCountHUDPosition::pointer);
    EXPECT_FALSE(defaults.copiesCharacterCountResult);

    EXPECT_EQ(coding::decode<TextToolSettings>(Json::object()), defaults);
    EXPECT_EQ(coding::decode<TextToolSettings>(Json::parse(
                  R"({"plainCopy": null, "characterCountHUDPosition": null, "copiesCharacterCountResult": null})")),
              defaults);
}

TEST(TextToolSettingsTest, ActionTakesTheFirstEnabledToolOfTheShortcut) {
    const Shortcut shared = commandControl("x");
    struct Case {
        bool copy, paste, count;
        std::optional<TextToolAction> expected;
    };
    const std::vector<Case> cases{
        {true, true, true, TextToolAction::plainCopy},
        {false, true, true, TextToolAction::plainPaste},
        {false, false, true, TextToolAction::characterCount},
        {false, false, false, std::nullopt},
        {true, false, true, TextToolAction::plainCopy},
    };
    for (const auto& testCase : cases) {
        TextToolSettings settings{{testCase.copy, shared}, {testCase.paste, shared}, {testCase.count, shared},
                                  CharacterCountHUDPosition::fixed, true};
        EXPECT_EQ(settings.action(shared), testCase.expected)
            << testCase.copy << testCase.paste << testCase.count;
    }

    TextToolSettings settings;
    settings.characterCount.isEnabled = true;
    EXPECT_EQ(settings.action(commandControl("m")), TextToolAction::characterCount);
    EXPECT_EQ(settings.action(commandControl("c")), std::nullopt); // disabled copy
    EXPECT_EQ(settings.action(Shortcut{ShortcutModifierSet{Modifier::command}, Shortcut::Key::character("m")}),
              std::nullopt);

    // Canonically equivalent key texts are the same key.
    settings.plainPaste = {true, commandControl("\u00E9")};
    EXPECT_EQ(settings.action(commandControl("e\u0301")), TextToolAction::plainPaste);
}

TEST(TextToolSettingsTest, NormalizeShortcutBaseKeysRewritesOnlyTheShortcuts) {
    TextToolSettings settings{{true, commandControl("C")},
                              {false, commandControl("@")},
                              {true, Shortcut{ShortcutModifierSet{Modifier::command}, Shortcut::Key::keypadPeriod()}},
                              CharacterCountHUDPosition::fixed,
                              true};
    settings.normalizeShortcutBaseKeys();
    EXPECT_EQ(settings, (TextToolSettings{{true, commandControl("c")},
                                          {false, commandControl("2")},
                                          {true, Shortcut{ShortcutModifierSet{Modifier::command}, Shortcut::Key::keypadPeriod()}},
                                          CharacterCountHUDPosition::fixed,
                                          true}));
}

TEST(TextToolSettingsTest, EncodesAllFiveKeysAndRoundTrips) {
    TextToolSettings settings{{true, commandControl("k")}, {false, commandControl("v")}, {true, commandControl("m")},
                              CharacterCountHUDPosition::fixed, true};
    Json encoded = coding::encode(settings);
    EXPECT_EQ(encoded, Json::parse(R"json({
        "plainCopy": {"isEnabled": true, "shortcut": {"modifiers": [{"command": {}}, {"control": {}}], "key": {"character": {"_0": "k"}}}},
        "plainPaste": {"isEnabled": false, "shortcut": {"modifiers": [{"command": {}}, {"control": {}}], "key": {"character": {"_0": "v"}}}},
        "characterCount": {"isEnabled": true, "shortcut": {"modifiers": [{"command": {}}, {"control": {}}], "key": {"character": {"_0": "m"}}}},
        "characterCountHUDPosition": "fixed",
        "copiesCharacterCountResult": true
    })json"));
    EXPECT_EQ(coding::decode<TextToolSettings>(encoded), settings);
    EXPECT_EQ(coding::decode<TextToolSettings>(coding::encode(TextToolSettings())), TextToolSettings());
}

TEST(TextToolSettingsTest, IncompleteRulesAndWrongValuesFail) {
    expectDecodingFailures<TextToolSettings>({
        {Json::parse(R"({"plainCopy": {"isEnabled": true}})"), DecodingError::Kind::keyNotFound,
         "No value associated with key \"shortcut\".", "plainCopy"},
        {Json::parse(R"({"plainPaste": {"shortcut": {"modifiers": [], "key": {"escape": {}}}}})"), DecodingError::Kind::keyNotFound,
         "No value associated with key \"isEnabled\".", "plainPaste"},
        {Json::parse(R"({"characterCount": {"isEnabled": true, "shortcut": null}})"), DecodingError::Kind::valueNotFound,
         "Cannot get value of a required key -- found null value instead.", "characterCount.shortcut"},
        {Json::parse(R"({"characterCount": {"isEnabled": 1, "shortcut": null}})"), DecodingError::Kind::typeMismatch,
         "Expected to decode Bool but found a number instead.", "characterCount.isEnabled"},
        {Json::parse(R"({"characterCountHUDPosition": "top"})"), DecodingError::Kind::dataCorrupted,
         "Cannot initialize CharacterCountHUDPosition from invalid String value top", "characterCountHUDPosition"},
        {Json::parse(R"({"copiesCharacterCountResult": "true"})"), DecodingError::Kind::typeMismatch,
         "Expected to decode Bool but found a string instead.", "copiesCharacterCountResult"},
        {Json::parse(R"({"plainCopy": true})"), DecodingError::Kind::typeMismatch,
         "Expected to decode TextToolShortcutRule (a dictionary) but found bool instead.", "plainCopy"},
        {Json::parse(R"([])"), DecodingError::Kind::typeMismatch,
         "Expected to decode TextToolSettings (a dictionary) but found an array instead.", ""},
    });
}

TEST(TextToolSettingsTest, EnumerationsListTheirCasesInOrder) {
    EXPECT_EQ(allCases<CharacterCountHUDPosition>(),
              (std::array{CharacterCountHUDPosition::pointer, CharacterCountHUDPosition::fixed}));
    EXPECT_EQ(coding::encode(TextToolAction::characterCount), Json("characterCount"));
    EXPECT_EQ(coding::decode<TextToolAction>(Json("plainPaste")), TextToolAction::plainPaste);
    EXPECT_EQ(enumFromRawValue<TextToolAction>("PlainCopy"), std::nullopt);
}

} // namespace
} // namespace tessaril
