#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "TessarilCoreTests/Support/DecodingFailure.hpp"
#include "TessarilCore/Settings/AppFixedPhraseAssistSettings.hpp"
#include "TessarilCore/Rules/FixedPhraseInsertion.hpp"
#include "TessarilCore/Support/UUIDGenerator.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {
namespace {

using test_support::decodingFailure;
using test_support::expectDecodingFailures;

using Format = FixedPhraseInsertionFormat;
using Modifier = Shortcut::Modifier;

Shortcut optionKey(std::string character) {
    return Shortcut{ShortcutModifierSet{Modifier::option}, Shortcut::Key::character(std::move(character))};
}

FixedPhraseRule phrase(std::string id, std::string plainText, std::optional<Shortcut> trigger = optionKey("1")) {
    return FixedPhraseRule(std::move(id), "title", true, std::move(trigger), std::move(plainText));
}

std::string repeated(std::string_view unit, std::size_t count) {
    std::string text;
    for (std::size_t index = 0; index < count; ++index) text += unit;
    return text;
}


TEST(FixedPhraseAssistSettingsTest, ActiveRuleNeedsContentAsTheFormatReadsIt) {
    struct Case {
        const char* name;
        std::string plainText;
        std::optional<std::string> rtf;
        std::optional<std::string> html;
        Format format;
        bool fires;
    };
    const std::vector<Case> cases{
        {"plain text", "hello", std::nullopt, std::nullopt, Format::plain, true},
        {"single blank", " ", std::nullopt, std::nullopt, Format::plain, true},
        {"RTF only, plain", "", "e1xydGYxfQ==", std::nullopt, Format::plain, true},
        {"RTF only, rich", "", "e1xydGYxfQ==", std::nullopt, Format::rich, true},
        {"RTF only, html", "", "e1xydGYxfQ==", std::nullopt, Format::html, true},
        {"HTML only, html", "", std::nullopt, "<b>x</b>", Format::html, true},
        {"HTML only, plain", "", std::nullopt, "<b>x</b>", Format::plain, false},
        {"HTML only, rich", "", std::nullopt, "<b>x</b>", Format::rich, false},
        {"empty RTF and HTML", "", "", "", Format::html, false},
        {"nothing", "", std::nullopt, std::nullopt, Format::rich, false},
    };
    for (const auto& testCase : cases) {
        FixedPhraseRule rule("id", "", true, optionKey("1"), testCase.plainText, testCase.rtf, testCase.html,
                             testCase.format);
        FixedPhraseAssistSettings settings{{rule}};
        auto found = settings.activeRule(optionKey("1"), KeyboardPreset::laptop);
        EXPECT_EQ(found.has_value(), testCase.fires) << testCase.name;
        if (found) {
            EXPECT_EQ(*found, rule) << testCase.name;
        }
    }
}

TEST(FixedPhraseAssistSettingsTest, ActiveRuleTakesTheFirstEnabledPhraseOfThePreset) {
    auto disabled = phrase("disabled", "a");
    disabled.isEnabled = false;
    auto elsewhere = phrase("elsewhere", "b");
    elsewhere.activePresets = {KeyboardPreset::fullSizeUS};
    auto nowhere = phrase("nowhere", "c");
    nowhere.activePresets = {};
    auto untriggered = phrase("untriggered", "d", std::nullopt);
    auto otherKey = phrase("otherKey", "e", optionKey("2"));
    FixedPhraseAssistSettings settings{{disabled, elsewhere, nowhere, untriggered, otherKey, phrase("first", "f"),
                                        phrase("second", "g")}};

    EXPECT_EQ(settings.activeRule(optionKey("1"), KeyboardPreset::laptop)->id, "first");
    EXPECT_EQ(settings.activeRule(optionKey("1"), KeyboardPreset::fullSizeUS)->id, "elsewhere");
    EXPECT_EQ(settings.activeRule(optionKey("2"), KeyboardPreset::compactUS)->id, "otherKey");
    EXPECT_EQ(settings.activeRule(optionKey("3"), KeyboardPreset::laptop), std::nullopt);
    Shortcut commandOne{ShortcutModifierSet{Modifier::command}, Shortcut::Key::character("1")};
    EXPECT_EQ(settings.activeRule(commandOne, KeyboardPreset::laptop), std::nullopt);

    FixedPhraseAssistSettings onlyNowhere{{nowhere}};
    for (auto preset : keyboard_preset::standardCases) {
        EXPECT_EQ(onlyNowhere.activeRule(optionKey("1"), preset), std::nullopt);
    }
}

TEST(FixedPhraseRuleTest, ShiftedTriggerIsHeldAndMatchedAsItsBaseKey) {
    FixedPhraseRule constructed("id", "", true, optionKey("!"), "x");
    EXPECT_EQ(constructed.trigger, optionKey("1"));

    auto decoded = coding::decode<FixedPhraseRule>(Json{{"plainText", "x"}, {"trigger", coding::encode(optionKey("!"))}});
    EXPECT_EQ(decoded.trigger, optionKey("1"));
    EXPECT_TRUE((FixedPhraseAssistSettings{{decoded}}.activeRule(optionKey("1"), KeyboardPreset::laptop)));

    FixedPhraseAssistSettings stored{{constructed}};
    stored.rules[0].trigger = optionKey("!");
    stored.rules.push_back(phrase("none", "y", std::nullopt));
    stored.rules.push_back(phrase("pad", "z", Shortcut{ShortcutModifierSet{Modifier::option}, Shortcut::Key::keypadPeriod()}));
    auto before = stored;
    stored.normalizeShortcutBaseKeys();
    EXPECT_EQ(stored.rules[0].trigger, optionKey("1"));
    EXPECT_EQ(stored.rules[1], before.rules[1]);
    EXPECT_EQ(stored.rules[2], before.rules[2]);
}

TEST(FixedPhraseRuleTest, PreviewTextIsTheTrimmedTitleCutTo32Characters) {
    struct Case {
        std::string title;
        std::string expected;
    };
    const std::vector<Case> cases{
        {"", "無題の定型文"},
        {" \t\n\u3000 ", "無題の定型文"},
        {"  挨拶 ", "挨拶"},
        {repeated("あ", 40), repeated("あ", 32)},
        {repeated("👨‍👩‍👧", 33), repeated("👨‍👩‍👧", 32)},
        // A cut that ends on a blank inside the title does not show the blank.
        {repeated("a", 31) + " b", repeated("a", 31)},
        {repeated("x", 32), repeated("x", 32)},
    };
    for (const auto& testCase : cases) {
        FixedPhraseRule rule("id", testCase.title, true, std::nullopt, "");
        EXPECT_EQ(rule.previewText(), testCase.expected) << testCase.title;
    }
}

TEST(FixedPhraseRuleTest, MissingModesAreDerivedFromTheOlderFormat) {
    struct Case {
        const char* json;
        FixedPhraseInputMode inputMode;
        FixedPhrasePreviewMode previewMode;
        FixedPhraseInsertionMode insertionMode;
    };
    using I = FixedPhraseInputMode;
    using P = FixedPhrasePreviewMode;
    using M = FixedPhraseInsertionMode;
    const std::vector<Case> cases{
        {R"({})", I::plain, P::raw, M::text},
        {R"({"insertionFormat": "rich"})", I::rich, P::raw, M::visual},
        {R"({"insertionFormat": "plain", "richTextRTFBase64": "e30="})", I::rich, P::raw, M::text},
        {R"({"insertionFormat": "plain", "richTextRTFBase64": ""})", I::plain, P::raw, M::text},
        {R"({"insertionFormat": "html"})", I::plain, P::html, M::visual},
        {R"({"insertionFormat": "html", "richTextRTFBase64": "e30="})", I::plain, P::html, M::visual},
        {R"({"insertionFormat": "plain", "inputMode": null, "previewMode": "markdown"})", I::plain, P::markdown, M::text},
        {R"({"insertionFormat": "rich", "inputMode": "plain", "insertionMode": "text"})", I::plain, P::raw, M::text},
    };
    for (const auto& testCase : cases) {
        auto rule = coding::decode<FixedPhraseRule>(Json::parse(testCase.json));
        EXPECT_EQ(rule.inputMode, testCase.inputMode) << testCase.json;
        EXPECT_EQ(rule.previewMode, testCase.previewMode) << testCase.json;
        EXPECT_EQ(rule.insertionMode, testCase.insertionMode) << testCase.json;
    }
}

TEST(FixedPhraseInsertionTest, MissingModesFollowTheFormatAlone) {
    using I = FixedPhraseInputMode;
    FixedPhraseInsertion plainWithRTF("", "e30=", std::nullopt, Format::plain);
    EXPECT_EQ(plainWithRTF.inputMode, I::plain); // unlike a stored rule, the RTF is not looked at
    EXPECT_EQ(plainWithRTF.previewMode, FixedPhrasePreviewMode::raw);
    EXPECT_EQ(plainWithRTF.insertionMode, FixedPhraseInsertionMode::text);

    FixedPhraseInsertion rich("x", std::nullopt, std::nullopt, Format::rich);
    EXPECT_EQ(rich.inputMode, I::rich);
    EXPECT_EQ(rich.insertionMode, FixedPhraseInsertionMode::visual);

    FixedPhraseInsertion html("x", std::nullopt, "<p>x</p>", Format::html);
    EXPECT_EQ(html.inputMode, I::plain);
    EXPECT_EQ(html.previewMode, FixedPhrasePreviewMode::html);
    EXPECT_EQ(html.insertionMode, FixedPhraseInsertionMode::visual);

    FixedPhraseInsertion given("x", std::nullopt, std::nullopt, Format::html, I::rich, FixedPhrasePreviewMode::markdown,
                               FixedPhraseInsertionMode::text);
    EXPECT_EQ(given.inputMode, I::rich);
    EXPECT_EQ(given.previewMode, FixedPhrasePreviewMode::markdown);
    EXPECT_EQ(given.insertionMode, FixedPhraseInsertionMode::text);
}

TEST(FixedPhraseRuleTest, EmptyObjectDecodesToAnEnabledEmptyPhraseWithAFreshId) {
    UUIDGenerator::ScopedOverride guard(UUIDGenerator::sequential());
    auto rule = coding::decode<FixedPhraseRule>(Json::object());
    EXPECT_EQ(rule.id, "00000000-0000-4000-8000-000000000001");
    EXPECT_EQ(rule.title, "");
    EXPECT_TRUE(rule.isEnabled);
    EXPECT_EQ(rule.trigger, std::nullopt);
    EXPECT_EQ(rule.plainText, "");
    EXPECT_EQ(rule.richTextRTFBase64, std::nullopt);
    EXPECT_EQ(rule.htmlText, std::nullopt);
    EXPECT_EQ(rule.insertionFormat, Format::plain);
    EXPECT_EQ(rule.activePresets, keyboard_preset::standardSet);

    auto emptyId = coding::decode<FixedPhraseRule>(Json::parse(R"({"id": "", "isEnabled": false})"));
    EXPECT_EQ(emptyId.id, "00000000-0000-4000-8000-000000000002");
    EXPECT_FALSE(emptyId.isEnabled);
    EXPECT_EQ(coding::encode(emptyId)["id"], "00000000-0000-4000-8000-000000000002");

    EXPECT_EQ(coding::decode<FixedPhraseRule>(Json::parse(R"({"activePresets": ["compactUS"]})")).activePresets,
              KeyboardPresetSet{KeyboardPreset::compactUS});
}

TEST(FixedPhraseRuleTest, EncodingLeavesAbsentOptionalsOutAndRoundTrips) {
    FixedPhraseRule bare("ID", "", false, std::nullopt, "");
    Json encoded = coding::encode(bare);
    EXPECT_EQ(encoded, Json::parse(R"({
        "id": "ID", "title": "", "isEnabled": false, "plainText": "", "insertionFormat": "plain",
        "inputMode": "plain", "previewMode": "raw", "insertionMode": "text",
        "activePresets": ["laptop", "compactUS", "fullSizeUS"]})"));
    EXPECT_EQ(coding::decode<FixedPhraseRule>(encoded), bare);

    FixedPhraseRule full("ID2", "署名", true, optionKey("s"), "山田", "e1xydGYxIHl9", "<b>山田</b>", Format::html,
                         FixedPhraseInputMode::rich, FixedPhrasePreviewMode::markdown, FixedPhraseInsertionMode::text,
                         {KeyboardPreset::laptop});
    encoded = coding::encode(full);
    EXPECT_EQ(encoded["trigger"], coding::encode(optionKey("s")));
    EXPECT_EQ(encoded["richTextRTFBase64"], "e1xydGYxIHl9");
    EXPECT_EQ(encoded["htmlText"], "<b>山田</b>");
    EXPECT_EQ(coding::decode<FixedPhraseRule>(encoded), full);

    AppFixedPhraseAssistSettings app{"メール", true, FixedPhraseAssistSettings{{bare, full}}};
    EXPECT_EQ(coding::decode<AppFixedPhraseAssistSettings>(coding::encode(app)), app);
}

TEST(FixedPhraseRuleTest, ImportCutsTextsToTheirLimitsInCharacters) {
    UUIDGenerator::ScopedOverride guard(UUIDGenerator::sequential());
    FixedPhraseRule rule(" keep ", " " + repeated("題", 89), false, std::nullopt, repeated("が", 10001),
                         repeated("A", 100001), repeated("<i>x</i>", 6251), Format::rich, FixedPhraseInputMode::plain,
                         FixedPhrasePreviewMode::html, FixedPhraseInsertionMode::text, {KeyboardPreset::compactUS});
    rule.trigger = optionKey("?");
    auto normalized = rule.normalizedForImport();
    EXPECT_EQ(normalized.id, " keep ");
    EXPECT_EQ(normalized.title, " " + repeated("題", 79)); // cut, not trimmed
    EXPECT_EQ(normalized.trigger, optionKey("/"));
    EXPECT_EQ(normalized.plainText, repeated("が", 10000));
    EXPECT_EQ(normalized.richTextRTFBase64, repeated("A", 100000));
    EXPECT_EQ(unicode::characterCount(*normalized.htmlText), 50000u);
    EXPECT_EQ(*normalized.htmlText, rule.htmlText->substr(0, 50000));
    EXPECT_FALSE(normalized.isEnabled);
    EXPECT_EQ(normalized.insertionFormat, Format::rich);
    EXPECT_EQ(normalized.inputMode, FixedPhraseInputMode::plain);
    EXPECT_EQ(normalized.previewMode, FixedPhrasePreviewMode::html);
    EXPECT_EQ(normalized.activePresets, KeyboardPresetSet{KeyboardPreset::compactUS});

    // A decomposed character is one character however many scalars it has.
    rule.plainText = repeated("e\u0301", 10001);
    EXPECT_EQ(rule.normalizedForImport().plainText, repeated("e\u0301", 10000));

    FixedPhraseRule withinLimits("id", repeated("t", 80), true, std::nullopt, "x", std::nullopt, std::nullopt);
    EXPECT_EQ(withinLimits.normalizedForImport(), withinLimits);

    FixedPhraseRule emptyId = withinLimits;
    emptyId.id.clear();
    EXPECT_EQ(emptyId.normalizedForImport().id, "00000000-0000-4000-8000-000000000001");
}

TEST(FixedPhraseAssistSettingsTest, ImportNormalisationKeepsOrderAndDuplicates) {
    auto duplicate = phrase("same", repeated("x", 10005));
    FixedPhraseAssistSettings settings{{duplicate, phrase("other", "y"), duplicate}};
    settings.normalizeForImport();
    ASSERT_EQ(settings.rules.size(), 3u);
    EXPECT_EQ(settings.rules[0].id, "same");
    EXPECT_EQ(settings.rules[1].id, "other");
    EXPECT_EQ(settings.rules[2], settings.rules[0]);
    EXPECT_EQ(settings.rules[2].plainText, repeated("x", 10000));
}

TEST(FixedPhraseAssistSettingsTest, RequiredKeysAndWrongValuesFail) {
    expectDecodingFailures<FixedPhraseAssistSettings>({
        {Json::object(), DecodingError::Kind::keyNotFound, "No value associated with key \"rules\".", ""},
        {Json::parse(R"({"rules": null})"), DecodingError::Kind::valueNotFound,
         "Cannot get value of a required key -- found null value instead.", "rules"},
        {Json::parse(R"({"rules": [{}, {"insertionFormat": "markdown"}]})"), DecodingError::Kind::dataCorrupted,
         "Cannot initialize FixedPhraseInsertionFormat from invalid String value markdown", "rules[1].insertionFormat"},
        {Json::parse(R"({"rules": [{"previewMode": "rtf"}]})"), DecodingError::Kind::dataCorrupted,
         "Cannot initialize FixedPhrasePreviewMode from invalid String value rtf", "rules[0].previewMode"},
        {Json::parse(R"({"rules": [{"insertionMode": 1}]})"), DecodingError::Kind::typeMismatch,
         "Expected to decode String but found a number instead.", "rules[0].insertionMode"},
        {Json::parse(R"({"rules": [{"htmlText": ["<b>"]}]})"), DecodingError::Kind::typeMismatch,
         "Expected to decode String but found an array instead.", "rules[0].htmlText"},
        {Json::parse(R"({"rules": [{"isEnabled": "true"}]})"), DecodingError::Kind::typeMismatch,
         "Expected to decode Bool but found a string instead.", "rules[0].isEnabled"},
        {Json::parse(R"({"rules": [{"activePresets": "laptop"}]})"), DecodingError::Kind::typeMismatch,
         "Expected to decode Set (an array) but found a string instead.", "rules[0].activePresets"},
        // Of several bad values, the first in field order is the one reported.
        {Json::parse(R"({"rules": [{"id": 7, "activePresets": "laptop"}]})"), DecodingError::Kind::typeMismatch,
         "Expected to decode String but found a number instead.", "rules[0].id"},
        {Json::parse(R"({"rules": [{"trigger": {"modifiers": [{"hyper": {}}], "key": {"escape": {}}}}]})"),
         DecodingError::Kind::typeMismatch, "Invalid number of keys found, expected one.",
         "rules[0].trigger.modifiers[0]"},
    });

    const Json complete = Json::parse(
        R"({"displayName": "X", "usesDefaultFixedPhraseAssist": false, "fixedPhraseAssist": {"rules": []}})");
    EXPECT_EQ(coding::decode<AppFixedPhraseAssistSettings>(complete), (AppFixedPhraseAssistSettings{"X", false, {}}));
    for (const char* key : {"displayName", "usesDefaultFixedPhraseAssist", "fixedPhraseAssist"}) {
        Json incomplete = complete;
        incomplete.erase(key);
        auto error = decodingFailure<AppFixedPhraseAssistSettings>(incomplete);
        EXPECT_EQ(error.kind(), DecodingError::Kind::keyNotFound) << key;
        EXPECT_EQ(error.message(), "No value associated with key \"" + std::string(key) + "\".");
    }
}

} // namespace
} // namespace tessaril
