#include <gtest/gtest.h>

#include <string>

#include "TessarilCoreTests/Support/DecodingFailure.hpp"
#include "TessarilCore/Rules/KeypadShortcutHackSettings.hpp"

namespace tessaril {
namespace {

using Rule = KeypadShortcutHackRule;
using Settings = KeypadShortcutHackSettings;
using Key = KeypadShortcutHackKey;

const KeyboardPresetSet allPresets{KeyboardPreset::laptop, KeyboardPreset::compactUS, KeyboardPreset::fullSizeUS};

Settings decodeSettings(const char* text) { return coding::decode<Settings>(Json::parse(text)); }

DecodingError decodingFailure(const char* text) { return test_support::decodingFailure<Settings>(Json::parse(text)); }

TEST(KeypadShortcutHackKeyTest, CasesRawValuesKeysAndTexts) {
    struct Row {
        Key key;
        const char* raw;
        PhysicalKey physical;
        const char* original;
        const char* output;
    };
    const Row rows[] = {
        {Key::period, "period", PhysicalKey::keypadPeriod(), ".", ","},
        {Key::slash, "slash", PhysicalKey::keypadSlash(), "/", "\u00A5"},
        {Key::asterisk, "asterisk", PhysicalKey::keypadAsterisk(), "*", "\uFF0A"},
        {Key::hyphen, "hyphen", PhysicalKey::keypadHyphen(), "-", "\u2014"},
        {Key::plus, "plus", PhysicalKey::keypadPlus(), "+", "+"},
    };
    auto cases = allCases<Key>();
    ASSERT_EQ(cases.size(), std::size(rows));
    for (std::size_t index = 0; index < cases.size(); ++index) {
        const Row& row = rows[index];
        SCOPED_TRACE(row.raw);
        EXPECT_EQ(cases[index], row.key);
        EXPECT_EQ(rawValue(row.key), row.raw);
        EXPECT_EQ(enumFromRawValue<Key>(row.raw), row.key);
        EXPECT_EQ(physicalKey(row.key), row.physical);
        EXPECT_EQ(originalText(row.key), row.original);
        EXPECT_EQ(defaultOutputText(row.key), row.output);
    }
    EXPECT_EQ(enumFromRawValue<Key>("Period"), std::nullopt);
}

TEST(KeypadShortcutHackRuleTest, NormalizedOutputText) {
    struct Row {
        std::string input;
        std::string expected;
    };
    const Row rows[] = {
        {"\nab\n", "ab"},
        {" ab ", " ab "},
        {"\tab\t", "\tab\t"},
        {"\r\n\u2028ab\u2029\u0085\x0B\x0C", "ab"},
        {"a\nb", "a\nb"},
        {"", ""},
        {"\n\n", ""},
        {"abcdefghijklmnopqrst", "abcdefghijklmnop"},
        {"abcdefghijklmnop", "abcdefghijklmnop"},
        // User-perceived characters: a flag and an accented letter count once each.
        {"\U0001F1EF\U0001F1F5e\u0301cdefghijklmnopq", "\U0001F1EF\U0001F1F5e\u0301cdefghijklmnop"},
        {"日本語のテキストを十六文字より長く書いた", "日本語のテキストを十六文字より長"},
        // A cut that ends on an inner line break drops it, so a second pass changes nothing.
        {"abcdefghijklmno\nxyz", "abcdefghijklmno"},
        {"abcdefghijklmno\r\nxyz", "abcdefghijklmno"},
        {"abcdefghijklmn\r\nxyz", "abcdefghijklmn\r\nx"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        std::string once = Rule::normalizedOutputText(row.input);
        EXPECT_EQ(once, row.expected);
        EXPECT_EQ(Rule::normalizedOutputText(once), once);
    }
}

TEST(KeypadShortcutHackRuleTest, ConstructionCleansTextAndAssignmentDoesNot) {
    Rule rule(true, CompanionModifier::option, "\nabcdefghijklmnopqrstu\n", allPresets);
    EXPECT_EQ(rule.outputText, "abcdefghijklmnop");
    EXPECT_TRUE(rule.isEnabled);
    EXPECT_EQ(rule.modifier, CompanionModifier::option);
    rule.outputText = "\nraw\n";
    EXPECT_EQ(rule.outputText, "\nraw\n");
}

TEST(KeypadShortcutHackRuleTest, NormalizeForImportFillsEmptyTextWithDefaultAsGiven) {
    Rule rule;
    rule.outputText = "\n\n";
    rule.normalizeForImport("\nD\n");
    EXPECT_EQ(rule.outputText, "\nD\n");
    rule.outputText = " x\n";
    rule.normalizeForImport(",");
    EXPECT_EQ(rule.outputText, " x");
}

TEST(KeypadShortcutHackRuleTest, IsActiveFollowsPresets) {
    Rule none(true, CompanionModifier::shift, "x", {});
    Rule laptopOnly(true, CompanionModifier::shift, "x", {KeyboardPreset::laptop});
    for (KeyboardPreset preset : allCases<KeyboardPreset>()) {
        EXPECT_FALSE(none.isActive(preset));
        EXPECT_EQ(laptopOnly.isActive(preset), preset == KeyboardPreset::laptop);
    }
}

TEST(KeypadShortcutHackSettingsTest, Defaults) {
    Settings settings;
    EXPECT_FALSE(settings.usesKeypadEqualCombo);
    for (Key key : allCases<Key>()) {
        SCOPED_TRACE(rawValue(key));
        const Rule& rule = settings[key];
        EXPECT_FALSE(rule.isEnabled);
        EXPECT_EQ(rule.modifier, CompanionModifier::shift);
        EXPECT_EQ(rule.outputText, defaultOutputText(key));
        EXPECT_EQ(rule.activePresets, allPresets);
    }
    EXPECT_EQ(Settings::defaultSettings(), settings);
    EXPECT_EQ(decodeSettings("{}"), settings);
}

TEST(KeypadShortcutHackSettingsTest, AsteriskDollarBecomesFullWidthAsteriskOnEveryPath) {
    Rule dollar(true, CompanionModifier::control, "$", allPresets);
    Settings constructed(false, dollar, dollar, dollar, dollar, dollar);
    EXPECT_EQ(constructed.asterisk.outputText, "\uFF0A");
    for (Key key : {Key::period, Key::slash, Key::hyphen, Key::plus}) EXPECT_EQ(constructed[key].outputText, "$");

    Settings decoded = decodeSettings(R"({"asterisk":{"outputText":"$"},"slash":{"outputText":"$"}})");
    EXPECT_EQ(decoded.asterisk.outputText, "\uFF0A");
    EXPECT_EQ(decoded.slash.outputText, "$");

    Settings imported;
    imported.asterisk.outputText = "\n$\n";
    imported.normalizeForImport();
    EXPECT_EQ(imported.asterisk.outputText, "\uFF0A");
}

TEST(KeypadShortcutHackSettingsTest, SubscriptSetStoresRuleUnchanged) {
    Settings settings;
    Rule raw;
    raw.outputText = "\nunclean\n";
    raw.activePresets = {};
    settings[Key::hyphen] = raw;
    EXPECT_EQ(settings.hyphen, raw);
    EXPECT_EQ(settings[Key::plus], Rule::defaultRule(Key::plus));
}

TEST(KeypadShortcutHackSettingsTest, DisableAllTouchesOnlyTheSwitches) {
    Settings settings;
    settings.usesKeypadEqualCombo = true;
    settings.period = Rule(true, CompanionModifier::option, "p", {KeyboardPreset::laptop});
    settings.slash = Rule(true, CompanionModifier::control, "s", {KeyboardPreset::compactUS});
    settings.plus = Rule(true, CompanionModifier::shift, "+!", allPresets);
    Settings expected = settings;
    expected.usesKeypadEqualCombo = false;
    expected.period.isEnabled = false;
    expected.slash.isEnabled = false;
    expected.plus.isEnabled = false;
    settings.disableAll();
    EXPECT_EQ(settings, expected);
}

TEST(KeypadShortcutHackSettingsTest, RoundTripThroughJSON) {
    Settings settings;
    settings.usesKeypadEqualCombo = true;
    settings.period = Rule(true, CompanionModifier::option, " 、 ", {KeyboardPreset::laptop, KeyboardPreset::fullSizeUS});
    settings.hyphen = Rule(true, CompanionModifier::control, "ー", {});
    Json encoded = coding::encode(settings);
    EXPECT_EQ(encoded.size(), 6u);
    EXPECT_EQ(encoded["period"].size(), 4u);
    EXPECT_EQ(encoded["period"]["modifier"], "option");
    EXPECT_EQ(encoded["hyphen"]["activePresets"], Json::array());
    EXPECT_EQ(coding::decode<Settings>(encoded), settings);
    EXPECT_EQ(coding::decode<Settings>(Json::parse(encoded.dump())), settings);
}

TEST(KeypadShortcutHackSettingsTest, TolerantDecoding) {
    // An empty rule object: disabled, shift, every preset, and the key's default text once the settings
    // fill it in.
    Rule emptyRule = coding::decode<Rule>(Json::object());
    EXPECT_FALSE(emptyRule.isEnabled);
    EXPECT_EQ(emptyRule.modifier, CompanionModifier::shift);
    EXPECT_EQ(emptyRule.outputText, "");
    EXPECT_EQ(emptyRule.activePresets, allPresets);
    EXPECT_EQ(decodeSettings(R"({"slash":{}})").slash.outputText, "\u00A5");

    Settings nulls = decodeSettings(R"({"usesKeypadEqualCombo":null,"period":null,"plus":{"outputText":null}})");
    EXPECT_EQ(nulls, Settings());

    Settings presets = decodeSettings(R"({"period":{"activePresets":["compactUS","compactUS"]},"ignored":1})");
    EXPECT_EQ(presets.period.activePresets, KeyboardPresetSet{KeyboardPreset::compactUS});

    Settings text = decodeSettings(R"({"plus":{"outputText":"\nabcdefghijklmnopqrst\n"}})");
    EXPECT_EQ(text.plus.outputText, "abcdefghijklmnop");
}

TEST(KeypadShortcutHackSettingsTest, DecodingFailures) {
    struct Row {
        const char* json;
        DecodingError::Kind kind;
        std::string path;
    };
    const Row rows[] = {
        {R"([])", DecodingError::Kind::typeMismatch, ""},
        {R"({"usesKeypadEqualCombo":1})", DecodingError::Kind::typeMismatch, "usesKeypadEqualCombo"},
        {R"({"period":"x"})", DecodingError::Kind::typeMismatch, "period"},
        {R"({"slash":{"isEnabled":"true"}})", DecodingError::Kind::typeMismatch, "slash.isEnabled"},
        {R"({"asterisk":{"modifier":"command"}})", DecodingError::Kind::dataCorrupted, "asterisk.modifier"},
        {R"({"hyphen":{"outputText":5}})", DecodingError::Kind::typeMismatch, "hyphen.outputText"},
        {R"({"plus":{"activePresets":["laptop","desktop"]}})", DecodingError::Kind::dataCorrupted, "plus.activePresets[1]"},
        {R"({"plus":{"activePresets":"laptop"}})", DecodingError::Kind::typeMismatch, "plus.activePresets"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.json);
        DecodingError error = decodingFailure(row.json);
        EXPECT_EQ(error.kind(), row.kind);
        EXPECT_EQ(error.codingPathText(), row.path);
    }
    EXPECT_EQ(decodingFailure(R"({"asterisk":{"modifier":"command"}})").message(),
              "Cannot initialize CompanionModifier from invalid String value command");
}

} // namespace
} // namespace tessaril
